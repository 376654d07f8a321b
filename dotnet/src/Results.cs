// The results of a run, copied out of the scorer's output records.
using System.Collections;
using System.Collections.Generic;

namespace Cclp.Score
{
    // One edge of a scored candidate: its input index and its values (the
    // extras are 0 for plain edges).
    public struct ResultEdge
    {
        // Written in place by the scorer, so that no copy of them is made.
        internal EdgeFields fields;
        internal int index;

        // The edge's index in the input, or -1 when the input holds no edge
        // of its values.
        public int Index { get { return index; } }
        public double Position { get { return fields.Position; } }
        public double Contrast { get { return fields.Contrast; } }
        public double Extra1 { get { return fields.Extra1; } }
        public double Extra2 { get { return fields.Extra2; } }
        public double Extra3 { get { return fields.Extra3; } }
        public int PositionFixed { get { return fields.PositionFixed; } }
        public int ContrastFixed { get { return fields.ContrastFixed; } }
        public int Extra1Fixed { get { return fields.Extra1Fixed; } }
        public int Extra2Fixed { get { return fields.Extra2Fixed; } }
        public int Extra3Fixed { get { return fields.Extra3Fixed; } }
    }

    // One scored candidate. Double-precision fields are valid when Formats
    // has Double, fixed-point (1/256) fields when it has Fixed.
    public sealed class ScoreResult
    {
        private readonly MethodSnapshot methods;

        internal ScoreResult(MethodSnapshot methods, Formats formats, double score, double position,
            int scoreFixed, int positionFixed, double[] methodScores, int[] methodScoresFixed,
            ResultEdge[] edges)
        {
            this.methods = methods;
            Formats = formats;
            Score = score;
            Position = position;
            ScoreFixed = scoreFixed;
            PositionFixed = positionFixed;
            MethodScores = methodScores;
            MethodScoresFixed = methodScoresFixed;
            Edges = edges;
        }

        public Formats Formats { get; private set; }
        public double Score { get; private set; }
        public double Position { get; private set; }
        public int ScoreFixed { get; private set; }
        public int PositionFixed { get; private set; }
        // One per score method of the run, in the parameters' order.
        public double[] MethodScores { get; private set; }
        public int[] MethodScoresFixed { get; private set; }
        // One edge, or a pair's first and second.
        public ResultEdge[] Edges { get; private set; }

        // What score method m measured on this candidate before its function
        // mapped it to a score, in caliper units: one value, or for edgePos
        // and offsetDist on pairs the low side's and the high side's; none
        // for straddle.
        public double[] MeasuredValues(int m)
        {
            return MeasuredValue.Of(methods.At(m), Edges, Formats, methods.ExpectedWidth);
        }
    }

    // The results of a run, best first when the run sorted.
    public sealed class Results : IReadOnlyList<ScoreResult>
    {
        private readonly ScoreResult[] results;

        internal Results(ScoreResult[] results)
        {
            this.results = results;
        }

        public int Count { get { return results.Length; } }
        public ScoreResult this[int index] { get { return results[index]; } }

        public IEnumerator<ScoreResult> GetEnumerator()
        {
            return ((IEnumerable<ScoreResult>)results).GetEnumerator();
        }

        IEnumerator IEnumerable.GetEnumerator()
        {
            return results.GetEnumerator();
        }
    }
}
