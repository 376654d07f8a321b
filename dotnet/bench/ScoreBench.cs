// What the C# binding adds to a run: Scorer.Score over the bare C call
// (cclp_runScore through P/Invoke on records built once) for pair runs of
// 8, 20 and 50 edges. Prints nanoseconds per run and the ratios.
using System;
using System.Diagnostics;
using Cclp.Score.Native;

namespace Cclp.Score.Bench
{
    internal static class ScoreBench
    {
        private const int Batches = 3000;

        private static int Main()
        {
            Console.WriteLine("edges   C call ns   Score(double[]) ns   ratio   Score(Edges) ns   ratio");
            foreach (int count in new[] { 8, 20, 50 }) Measure(count);
            return 0;
        }

        private static void Measure(int count)
        {
            var random = new Random(count);
            var positions = new double[count];
            var contrasts = new double[count];
            for (int i = 0; i < count; ++i)
            {
                positions[i] = random.NextDouble() * 100.0 - 50.0;
                contrasts[i] = (random.Next(2) == 0 ? -1 : 1) * (5.0 + random.NextDouble() * 100.0);
            }
            using (var parameters = new Params()
                       .Pair(new DesiredEdge(-10, Polarity.Positive), new DesiredEdge(10, Polarity.Negative))
                       .Methods(new Method(MethodId.SizeDiff, new OneSided(0.02, 0.4, 0.4, 1, 0)),
                                new Method(MethodId.Contrast, new OneSided(80, 5, 0, 1, 0)),
                                new Method(MethodId.PosAbs, new OneSided(2, 20, 40, 1, 0.1)))
                       .MaxResults(4))
            using (var edges = new Edges(positions, contrasts))
            using (var scorer = new Scorer(parameters))
            using (RecordHandle output = RecordHandle.Construct<cclp_scoreResultSet>(
                       NativeMethods.cclp_scoreResultSet_construct, NativeMethods.cclp_scoreResultSet_destruct,
                       "cclp_scoreResultSet_construct"))
            {
                IntPtr input = edges.Address, parametersAddress = parameters.Address, outputAddress = output.Address(output);
                double[] best = BestNanosecondsPerRun(
                    () =>
                    {
                        if (NativeMethods.cclp_runScore(input, parametersAddress, outputAddress) < 0)
                        {
                            throw new InvalidOperationException("run refused");
                        }
                    },
                    () => scorer.Score(positions, contrasts),
                    () => scorer.Score(edges));
                double c = best[0], copied = best[1], held = best[2];
                Console.WriteLine("{0,5} {1,11:F0} {2,20:F0} {3,7:F2} {4,17:F0} {5,7:F2}", count, c, copied,
                                  copied / c, held, held / c);
            }
        }

        // The best batch's time per run of each. Batches are short (about
        // 50 microseconds) and many, so that on a busy machine some run
        // undisturbed, and they alternate, so that a change of load hits all
        // alike.
        private static double[] BestNanosecondsPerRun(params Action[] runs)
        {
            var clock = Stopwatch.StartNew();
            int repeats;
            for (int warmUp = 0; warmUp < 1000; ++warmUp)
            {
                foreach (Action run in runs) run();
            }
            clock.Restart();
            for (int i = 0; i < 1000; ++i) runs[0]();
            repeats = Math.Max(1, (int)(50e3 / (clock.Elapsed.TotalMilliseconds * 1e6 / 1000)));
            var best = new double[runs.Length];
            for (int k = 0; k < best.Length; ++k) best[k] = double.MaxValue;
            for (int batch = 0; batch < Batches; ++batch)
            {
                for (int k = 0; k < runs.Length; ++k)
                {
                    clock.Restart();
                    for (int i = 0; i < repeats; ++i) runs[k]();
                    best[k] = Math.Min(best[k], clock.Elapsed.TotalMilliseconds * 1e6 / repeats);
                }
            }
            return best;
        }
    }
}
