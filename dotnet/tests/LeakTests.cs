// Long loops hold no more of the runtime library's blocks at their end than
// after their first round, and disposing gives every block back: on
// successful runs, refused runs, edge sets and the edge finder's searches.
using System;
using Cclp.Score.Native;

namespace Cclp.Score.Tests
{
    internal static class LeakTests
    {
        private const int Rounds = 1000;

        private static long Live { get { return NativeMethods.csys_testing_liveBlocks(); } }

        [Test]
        private static void ThousandRunsHoldNoMoreBlocks()
        {
            long before = Live;
            using (var parameters = new Params().Pair(new DesiredEdge(-10, Polarity.Positive), new DesiredEdge(10, Polarity.Negative))
                       .Methods(new Method(MethodId.SizeDiff, new OneSided(0.05, 0.5, 0.6, 1, 0)),
                                new Method(MethodId.Contrast, new OneSided(100, 5, 0, 1, 0)))
                       .MaxResults(5))
            using (var scorer = new Scorer(parameters))
            using (var single = new Params(parameters).Single())
            using (var refusing = new Scorer(single))
            {
                var random = new Random(7);
                var positions = new double[20];
                var contrasts = new double[20];
                long warm = 0;
                for (int round = 0; round <= Rounds; ++round)
                {
                    for (int i = 0; i < positions.Length; ++i)
                    {
                        positions[i] = random.NextDouble() * 80 - 40;
                        contrasts[i] = random.NextDouble() * 200 - 100;
                    }
                    Check.That(scorer.Score(positions, contrasts).Count > 0, "results");
                    Check.Throws<StatusException>(() => refusing.Score(positions, contrasts), "refused run");
                    if (round == 0) warm = Live;
                }
                Check.Equal(warm, Live, "blocks after " + Rounds + " more runs");
            }
            Check.Equal(before, Live, "blocks once the scorers are disposed");
        }

        [Test]
        private static void EdgesGiveTheirBlocksBack()
        {
            GrayImage bar = EdgeFinderTests.Bar8();
            var badSigma = new EdgeSearch { Sigma = 0.1 };
            long before = Live;
            for (int round = 0; round < Rounds; ++round)
            {
                using (FoundEdges found = EdgeFinder.Find(bar, EdgeFinderTests.Across, new EdgeSearch()))
                {
                    Check.Equal(2, found.Count, "found edges");
                }
                Check.Throws<StatusException>(() => EdgeFinder.Find(bar, EdgeFinderTests.Across, badSigma), "refused search");
                using (var edges = new Edges(new[] { 1.0, 2.0 }, new[] { 5.0, -5.0 }, Formats.Both))
                {
                    Check.Equal(2, edges.Count, "edges");
                }
                Check.Throws<ArgumentException>(() => new Edges(new[] { 1.0 }, new double[0]), "mismatched lengths");
            }
            Check.Equal(before, Live, "blocks after " + Rounds + " edge sets");
        }
    }
}
