// Score methods: the method table with name lookups, and the method record
// built from a method and its function.
using System;
using Cclp.Score.Native;

namespace Cclp.Score
{
    // What the method table says of one method.
    public sealed class MethodInfo
    {
        internal MethodInfo(MethodId id, string name, FunctionKind function, bool pairsOnly,
            bool extendedOnly, bool needsWidth, string measures)
        {
            Id = id;
            Name = name;
            Function = function;
            PairsOnly = pairsOnly;
            ExtendedOnly = extendedOnly;
            NeedsWidth = needsWidth;
            Measures = measures;
        }

        public MethodId Id { get; private set; }
        public string Name { get; private set; }            // "sizeDiff"
        public FunctionKind Function { get; private set; }  // what maps its measurement
        public bool PairsOnly { get; private set; }
        public bool ExtendedOnly { get; private set; }      // reads extended edges' extras
        public bool NeedsWidth { get; private set; }        // a pair run needs a positive width
        public string Measures { get; private set; }        // the value it scores

        // Every method, in number order.
        public static MethodInfo[] All { get { return (MethodInfo[])Tables.Methods.Clone(); } }

        // The table's entry of a method, or null for a number no method has.
        public static MethodInfo Of(MethodId id)
        {
            foreach (MethodInfo info in Tables.Methods)
            {
                if (info.Id == id) return info;
            }
            return null;
        }

        // The entry of a name ("sizeDiff"), or null.
        public static MethodInfo Named(string name)
        {
            foreach (MethodInfo info in Tables.Methods)
            {
                if (info.Name == name) return info;
            }
            return null;
        }
    }

    // A score method: what it measures and the function it maps that
    // through. The module checks that the method takes that kind of function.
    public struct Method
    {
        internal cclp_score Record;

        public unsafe Method(MethodId id, OneSided function)
        {
            cclp_score record;
            NativeMethods.cclp_score_init(&record);
            StatusException.ThrowIfFailed(
                NativeMethods.cclp_score_initScoreMethodOneSided(&record, (int)id, &function.Record),
                "cclp_score_initScoreMethodOneSided");
            Record = record;
        }

        public unsafe Method(MethodId id, TwoSided function)
        {
            cclp_score record;
            NativeMethods.cclp_score_init(&record);
            StatusException.ThrowIfFailed(
                NativeMethods.cclp_score_initScoreMethodTwoSided(&record, (int)id, &function.Record),
                "cclp_score_initScoreMethodTwoSided");
            Record = record;
        }

        // By name; a name no method has is an ArgumentException.
        public Method(string name, OneSided function) : this(IdOf(name), function) {}
        public Method(string name, TwoSided function) : this(IdOf(name), function) {}

        internal Method(cclp_score record)
        {
            Record = record;
        }

        public MethodId Id { get { return (MethodId)Record.method; } }
        public string Name { get { return MethodInfo.Of(Id).Name; } }
        public bool IsOneSided { get { return Record.isOneSided != 0; } }
        public OneSided OneSided { get { return new OneSided(Record.oneSided); } }
        public TwoSided TwoSided { get { return new TwoSided(Record.twoSided); } }

        private static MethodId IdOf(string name)
        {
            if (name == null) throw new ArgumentNullException("name");
            MethodInfo info = MethodInfo.Named(name);
            if (info == null) throw new ArgumentException("no score method is named '" + name + "'", "name");
            return info.Id;
        }
    }
}
