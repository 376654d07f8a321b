// The binding's records have the sizes and field offsets of the native
// layout list (generated from record_layouts.h), every one of them.
using System;
using System.Runtime.InteropServices;
using Cclp.Score.Native;

namespace Cclp.Score.Tests
{
    internal struct LayoutFact
    {
        internal readonly string Type, Field;
        internal readonly int Bytes;

        internal LayoutFact(string type, string field, int bytes)
        {
            Type = type;
            Field = field;
            Bytes = bytes;
        }
    }

    internal static class LayoutTests
    {
        [Test]
        private static void RecordsMatchTheNativeLayoutList()
        {
            Check.That(RecordLayoutList.Facts.Length > 40, "the list is read");
            foreach (LayoutFact fact in RecordLayoutList.Facts)
            {
                Type record = typeof(cclp_score).Assembly.GetType("Cclp.Score.Native." + fact.Type);
                Check.That(record != null, "the binding declares " + fact.Type);
                string what = fact.Type + (fact.Field == null ? " size" : "." + fact.Field + " offset");
                int bytes = fact.Field == null ? Marshal.SizeOf(record) : (int)Marshal.OffsetOf(record, fact.Field);
                Check.Equal(fact.Bytes, bytes, what);
            }
        }
    }
}
