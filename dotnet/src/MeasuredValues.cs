// What each score method measures on a candidate before its function maps
// the value to a score. The module keeps these to itself, so they are
// computed here from the candidate's edges by the methods' formulas.
using System;
using Cclp.Score.Native;

namespace Cclp.Score
{
    // The score methods of the parameters a run used, and their pair width.
    internal sealed class MethodSnapshot
    {
        private readonly cclp_score[] methods;

        internal unsafe MethodSnapshot(Params parameters)
        {
            methods = new cclp_score[parameters.MethodCount];
            for (int m = 0; m < methods.Length; ++m) methods[m] = parameters.Method(m).Record;
            ExpectedWidth = parameters.ExpectedWidth;
        }

        internal double ExpectedWidth { get; private set; }

        internal cclp_score At(int m)
        {
            if (m < 0 || m >= methods.Length)
            {
                throw new ArgumentOutOfRangeException("m", m, "not below " + methods.Length);
            }
            return methods[m];
        }
    }

    internal static class MeasuredValue
    {
        private static readonly double[] None = new double[0];

        internal static double[] Of(cclp_score method, ResultEdge[] edges, Formats formats,
            double width)
        {
            bool hasDouble = (formats & Formats.Double) != 0;
            var values = new MeasuredEdge[edges.Length];
            for (int k = 0; k < edges.Length; ++k) values[k] = new MeasuredEdge(ref edges[k].fields, hasDouble);
            if (values.Length == 1) return Single(method, values[0]);
            if (values.Length == 2) return Pair(method, values[0], values[1], width);
            return None;
        }

        // An edge's values as the methods read them: double, or 1/256 units.
        private struct MeasuredEdge
        {
            internal readonly double P, C, Extra1, Extra2, Extra3;

            internal MeasuredEdge(ref EdgeFields e, bool hasDouble)
            {
                P = FixedPoint.ValueIn(hasDouble, e.Position, e.PositionFixed);
                C = FixedPoint.ValueIn(hasDouble, e.Contrast, e.ContrastFixed);
                Extra1 = FixedPoint.ValueIn(hasDouble, e.Extra1, e.Extra1Fixed);
                Extra2 = FixedPoint.ValueIn(hasDouble, e.Extra2, e.Extra2Fixed);
                Extra3 = FixedPoint.ValueIn(hasDouble, e.Extra3, e.Extra3Fixed);
            }
        }

        private static double[] Single(cclp_score method, MeasuredEdge e)
        {
            switch ((MethodId)method.method)
            {
                case MethodId.PosAbs: return new[] { Math.Abs(e.P) };
                case MethodId.Contrast: return new[] { Math.Abs(e.C) };
                case MethodId.Pos: return new[] { e.P };
                case MethodId.OffsetDist: return new[] { Math.Abs(e.P - method.oneSided.positionOffset) };
                case MethodId.ExtraMax: return new[] { Math.Max(e.Extra2, e.Extra3) };
                default: return None;
            }
        }

        private static double[] Pair(cclp_score method, MeasuredEdge e0, MeasuredEdge e1, double w)
        {
            double p0 = e0.P, p1 = e1.P;
            switch ((MethodId)method.method)
            {
                case MethodId.SizeDiff: return new[] { Math.Abs(Math.Abs(p1 - p0) - w) / w };
                case MethodId.Size: return new[] { Math.Abs(p1 - p0) / w };
                case MethodId.PosNormAbs: return new[] { Math.Abs(p1 + p0) / (2.0 * w) };
                case MethodId.PosAbs: return new[] { Math.Abs(p1 + p0) / 2.0 };
                case MethodId.Contrast: return new[] { (Math.Abs(e0.C) + Math.Abs(e1.C)) / 2.0 };
                case MethodId.PosNorm: return new[] { (p1 + p0) / (2.0 * w) };
                case MethodId.Pos: return new[] { (p1 + p0) / 2.0 };
                case MethodId.SizeDiffSigned: return new[] { (Math.Abs(p1 - p0) - w) / w };
                case MethodId.EdgePos: return new[] { p0, p1 };
                case MethodId.OffsetDist:
                    return new[] { Math.Abs(p0 - method.twoSided.lowSide.positionOffset),
                                   Math.Abs(p1 - method.twoSided.highSide.positionOffset) };
                case MethodId.Extra1Diff: return new[] { Math.Abs(e1.Extra1 - e0.Extra1) };
                case MethodId.ExtraMax:
                    return new[] { Math.Max(Math.Max(e0.Extra2, e0.Extra3), Math.Max(e1.Extra2, e1.Extra3)) };
                default: return None;
            }
        }
    }
}
