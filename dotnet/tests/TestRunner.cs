// A small test runner: runs every [Test] method of this assembly and ends
// with the line "N passed, M failed"; exits nonzero when a test failed.
using System;
using System.Linq;
using System.Reflection;

namespace Cclp.Score.Tests
{
    [AttributeUsage(AttributeTargets.Method)]
    internal sealed class TestAttribute : Attribute {}

    internal static class Check
    {
        internal static void That(bool condition, string what)
        {
            if (!condition) throw new Exception(what);
        }

        internal static void Equal<T>(T expected, T actual, string what)
        {
            if (!Equals(expected, actual))
            {
                throw new Exception(what + ": expected " + expected + ", got " + actual);
            }
        }

        internal static TException Throws<TException>(Action action, string what) where TException : Exception
        {
            try
            {
                action();
            }
            catch (TException caught)
            {
                return caught;
            }
            throw new Exception(what + ": no " + typeof(TException).Name);
        }

        // A refusal of the C libraries, by the status name it carries.
        internal static void Refused(string statusName, Action action, string what)
        {
            StatusException caught = Throws<StatusException>(action, what);
            Equal(statusName, caught.StatusName, what);
            That(caught.Message.Contains(statusName) && caught.Meaning != null, what + ": message");
        }
    }

    internal static class TestRunner
    {
        private static int Main(string[] args)
        {
            var tests = Assembly.GetExecutingAssembly().GetTypes()
                .SelectMany(type => type.GetMethods(BindingFlags.Static | BindingFlags.NonPublic | BindingFlags.Public))
                .Where(method => method.GetCustomAttributes(typeof(TestAttribute), false).Length > 0)
                .Where(method => args.Length == 0 || args.Any(name => (method.DeclaringType.Name + "." + method.Name).Contains(name)))
                .OrderBy(method => method.DeclaringType.Name + "." + method.Name).ToList();
            int failed = 0;
            foreach (System.Reflection.MethodInfo test in tests)
            {
                string name = test.DeclaringType.Name + "." + test.Name;
                try
                {
                    test.Invoke(null, null);
                    Console.WriteLine("ok   " + name);
                }
                catch (TargetInvocationException error)
                {
                    ++failed;
                    Console.WriteLine("FAIL " + name + ": " + error.InnerException);
                }
            }
            Console.WriteLine((tests.Count - failed) + " passed, " + failed + " failed");
            return failed == 0 && tests.Count > 0 ? 0 : 1;
        }
    }
}
