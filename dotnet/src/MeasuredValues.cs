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
            Func<int, double> position = k => hasDouble ? edges[k].Position : edges[k].PositionFixed / 256.0;
            Func<int, double> contrast = k => hasDouble ? edges[k].Contrast : edges[k].ContrastFixed / 256.0;
            if (edges.Length == 1) return Single(method, position(0), contrast(0));
            if (edges.Length == 2)
            {
                return Pair(method, position(0), position(1), contrast(0), contrast(1), width);
            }
            return None;
        }

        private static double[] Single(cclp_score method, double p, double c)
        {
            switch ((MethodId)method.method)
            {
                case MethodId.PosAbs: return new[] { Math.Abs(p) };
                case MethodId.Contrast: return new[] { Math.Abs(c) };
                case MethodId.Pos: return new[] { p };
                case MethodId.OffsetDist: return new[] { Math.Abs(p - method.oneSided.positionOffset) };
                case MethodId.ExtraMax: return new[] { 0.0 };  // plain edges have no extras
                default: return None;
            }
        }

        private static double[] Pair(cclp_score method, double p0, double p1, double c0, double c1,
            double w)
        {
            switch ((MethodId)method.method)
            {
                case MethodId.SizeDiff: return new[] { Math.Abs(Math.Abs(p1 - p0) - w) / w };
                case MethodId.Size: return new[] { Math.Abs(p1 - p0) / w };
                case MethodId.PosNormAbs: return new[] { Math.Abs(p1 + p0) / (2.0 * w) };
                case MethodId.PosAbs: return new[] { Math.Abs(p1 + p0) / 2.0 };
                case MethodId.Contrast: return new[] { (Math.Abs(c0) + Math.Abs(c1)) / 2.0 };
                case MethodId.PosNorm: return new[] { (p1 + p0) / (2.0 * w) };
                case MethodId.Pos: return new[] { (p1 + p0) / 2.0 };
                case MethodId.SizeDiffSigned: return new[] { (Math.Abs(p1 - p0) - w) / w };
                case MethodId.EdgePos: return new[] { p0, p1 };
                case MethodId.OffsetDist:
                    return new[] { Math.Abs(p0 - method.twoSided.lowSide.positionOffset),
                                   Math.Abs(p1 - method.twoSided.highSide.positionOffset) };
                case MethodId.Extra1Diff:
                case MethodId.ExtraMax:
                    return new[] { 0.0 };
                default: return None;
            }
        }
    }
}
