// Failures of the C libraries as exceptions that name the status.
using System;
using System.Collections.Generic;

namespace Cclp.Score
{
    // A status of the scoring module, the edge finder or the runtime library
    // below them, with its name and what it means.
    internal struct StatusText
    {
        internal readonly int Code;
        internal readonly string Name;
        internal readonly string Meaning;

        internal StatusText(int code, string name, string meaning)
        {
            Code = code;
            Name = name;
            Meaning = meaning;
        }
    }

    // Thrown when a C call refuses: Status is its code, StatusName its name
    // ("CCLP_STATUS_Y0_BELOW_Y1"), Meaning what it means, Operation the call.
    public class StatusException : Exception
    {
        private static readonly Dictionary<int, StatusText> Known = Index();

        public StatusException(int status, string operation)
            : base(operation + ": " + Describe(status))
        {
            Status = status;
            Operation = operation;
            StatusText text;
            if (Known.TryGetValue(status, out text))
            {
                StatusName = text.Name;
                Meaning = text.Meaning;
            }
        }

        public int Status { get; private set; }
        // Null for a code that none of the libraries' tables knows.
        public string StatusName { get; private set; }
        public string Meaning { get; private set; }
        public string Operation { get; private set; }

        // "CCLP_STATUS_Y0_BELOW_Y1: y0 below y1", or the code in hex.
        public static string Describe(int status)
        {
            StatusText text;
            return Known.TryGetValue(status, out text) ? text.Name + ": " + text.Meaning
                                                        : "unknown status 0x" + status.ToString("X8");
        }

        internal static void ThrowIfFailed(int status, string operation)
        {
            if (status < 0) throw new StatusException(status, operation);
        }

        private static Dictionary<int, StatusText> Index()
        {
            var known = new Dictionary<int, StatusText>();
            foreach (StatusText text in Tables.Statuses) known[text.Code] = text;
            return known;
        }
    }
}
