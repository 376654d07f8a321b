// The parameters of a run, built fluently over the module's record.
using System;
using Cclp.Score.Native;

namespace Cclp.Score
{
    // An edge the caller looks for: where, and of which polarity. The
    // distance of a pair's two desired edges is the pair's expected width.
    public struct DesiredEdge
    {
        public DesiredEdge(double position, Polarity polarity)
        {
            Position = position;
            Polarity = polarity;
        }

        public double Position { get; private set; }
        public Polarity Polarity { get; private set; }
    }

    // The parameters of a run. The defaults score single edges of any
    // polarity by contrast, keep one result and sort. Changes the module
    // refuses throw a StatusException and leave the parameters unchanged.
    public sealed class Params : IDisposable
    {
        private readonly RecordHandle record;

        public Params()
        {
            record = RecordHandle.Construct<cclp_scoreParams>(NativeMethods.cclp_scoreParams_construct,
                NativeMethods.cclp_scoreParams_destruct, "cclp_scoreParams_construct");
        }

        // A copy of other, through the module's copy.
        public Params(Params other)
        {
            if (other == null) throw new ArgumentNullException("other");
            IntPtr source = other.Address;
            record = RecordHandle.Construct<cclp_scoreParams>(
                target => NativeMethods.cclp_scoreParams_constructCopy(target, source),
                NativeMethods.cclp_scoreParams_destruct, "cclp_scoreParams_constructCopy");
            GC.KeepAlive(other);
        }

        public Params Single(DesiredEdge edge)
        {
            return Desired(new[] { ToRecord(edge) });
        }

        public Params Single()
        {
            return Single(new DesiredEdge(0.0, Polarity.Any));
        }

        public Params Pair(DesiredEdge first, DesiredEdge second)
        {
            return Desired(new[] { ToRecord(first), ToRecord(second) });
        }

        public unsafe Params Methods(params Method[] methods)
        {
            if (methods == null) throw new ArgumentNullException("methods");
            // Never a null array, so that an empty list is refused for its count.
            var records = new cclp_score[methods.Length + 1];
            for (int i = 0; i < methods.Length; ++i) records[i] = methods[i].Record;
            fixed (cclp_score* first = records)
            {
                Check(NativeMethods.cclp_scoreParams_setScoreMethods(Address, methods.Length, first),
                      "cclp_scoreParams_setScoreMethods");
            }
            return this;
        }

        public Params MaxResults(int count)
        {
            Check(NativeMethods.cclp_scoreParams_setMaxNumResults(Address, count),
                  "cclp_scoreParams_setMaxNumResults");
            return this;
        }

        public Params Sorted(bool sortByScore)
        {
            Check(NativeMethods.cclp_scoreParams_setSortByScore(Address, sortByScore ? 1 : 0),
                  "cclp_scoreParams_setSortByScore");
            return this;
        }

        // Moves the reference position of stored method `index` between runs.
        public Params OneSidedOffset(int index, double offset)
        {
            Check(NativeMethods.cclp_scoreParams_updateOneSidedOffset(Address, index, offset),
                  "cclp_scoreParams_updateOneSidedOffset");
            return this;
        }

        public Params TwoSidedOffsets(int index, double low, double high)
        {
            Check(NativeMethods.cclp_scoreParams_updateTwoSidedOffsets(Address, index, low, high),
                  "cclp_scoreParams_updateTwoSidedOffsets");
            return this;
        }

        public bool Pairs { get { return View.numDesiredEdges == 2; } }
        public int MaxResultCount { get { return View.maxNumResults; } }
        public bool IsSorted { get { return View.sortByScore == 1; } }
        public int MethodCount { get { return View.numScoreMethods; } }

        public unsafe Method Method(int index)
        {
            cclp_scoreParams view = View;
            CheckIndex(index, view.numScoreMethods);
            return new Method(view.scoreMethods[index]);
        }

        public unsafe DesiredEdge DesiredEdge(int index)
        {
            cclp_scoreParams view = View;
            CheckIndex(index, view.numDesiredEdges);
            cclp_desiredEdge edge = view.desiredEdges[index];
            return new DesiredEdge(edge.position, (Polarity)edge.polarity);
        }

        // The distance of a pair's desired edges, 0 for single edges.
        public double ExpectedWidth
        {
            get { return Pairs ? Math.Abs(DesiredEdge(1).Position - DesiredEdge(0).Position) : 0.0; }
        }

        public void Dispose()
        {
            record.Dispose();
        }

        internal IntPtr Address { get { return record.Address(this); } }

        private unsafe cclp_scoreParams View { get { return *(cclp_scoreParams*)Address; } }

        private static cclp_desiredEdge ToRecord(DesiredEdge edge)
        {
            return new cclp_desiredEdge { position = edge.Position, polarity = (int)edge.Polarity };
        }

        private unsafe Params Desired(cclp_desiredEdge[] edges)
        {
            fixed (cclp_desiredEdge* first = edges)
            {
                Check(NativeMethods.cclp_scoreParams_setDesiredEdges(Address, edges.Length, first),
                      "cclp_scoreParams_setDesiredEdges");
            }
            return this;
        }

        // Counts the changes, so that a scorer rereads the methods only after one.
        internal int Version { get; private set; }

        private void Check(int status, string operation)
        {
            GC.KeepAlive(this);
            Version += 1;
            StatusException.ThrowIfFailed(status, operation);
        }

        private static void CheckIndex(int index, int count)
        {
            if (index < 0 || index >= count)
            {
                throw new ArgumentOutOfRangeException("index", index, "not below " + count);
            }
        }
    }
}
