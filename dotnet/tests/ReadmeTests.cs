// The README's C# program compiles against the binding and runs.
using System;
using System.Diagnostics;
using System.IO;
using System.Text.RegularExpressions;

namespace Cclp.Score.Tests
{
    internal static class ReadmeTests
    {
        [Test]
        private static void ReadmeProgramRuns()
        {
            string readme = File.ReadAllText(Environment.GetEnvironmentVariable("CCLP_README"));
            // The section's first indented block.
            Match program = Regex.Match(readme, "## Calling it from C#\n(?:(?!    |## ).*\n)*((?:    .*\n|\n)+)");
            Check.That(program.Success, "the README has the C# program");
            string source = Regex.Replace(program.Groups[1].Value, "^    ", "", RegexOptions.Multiline);
            string folder = Path.Combine(Path.GetTempPath(), "cclp_readme_" + Process.GetCurrentProcess().Id);
            Directory.CreateDirectory(folder);
            try
            {
                string assembly = typeof(Scorer).Assembly.Location;
                File.WriteAllText(Path.Combine(folder, "Program.cs"), source);
                File.Copy(assembly, Path.Combine(folder, "Cclp.Score.dll"));
                Run(Environment.GetEnvironmentVariable("CCLP_CSHARP_COMPILER"), "-r:Cclp.Score.dll Program.cs", folder);
                string output = Run("mono", "Program.exe", folder);
                Check.That(output.Contains("edges 2 and 5"), "the program's output: " + output);
            }
            finally
            {
                Directory.Delete(folder, true);
            }
        }

        private static string Run(string program, string arguments, string folder)
        {
            var start = new ProcessStartInfo(program, arguments)
            {
                WorkingDirectory = folder, UseShellExecute = false, RedirectStandardOutput = true
            };
            using (Process process = Process.Start(start))
            {
                string output = process.StandardOutput.ReadToEnd();
                process.WaitForExit();
                Check.Equal(0, process.ExitCode, program + " " + arguments + ": " + output);
                return output;
            }
        }
    }
}
