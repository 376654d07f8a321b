// The edge finder over a caller's pixels: a bright bar's two edges found at
// their sub-pixel places in 8- and 16-bit images with padded rows, with
// their image points, scored as a pair without copying; bad images refused.
using System;

namespace Cclp.Score.Tests
{
    internal static class EdgeFinderTests
    {
        private const int Width = 120, Height = 40, Stride = 128;  // pixels from row to row
        // The bar covers columns 40 to 69: edges at x = 39.5 and 69.5.
        internal static readonly Caliper Across = new Caliper(60, 20, 0, 100, 10);

        private static int Gray(int x)
        {
            return x >= 40 && x < 70 ? 200 : 50;
        }

        internal static GrayImage Bar8()
        {
            var pixels = new byte[Stride * Height];
            for (int y = 0; y < Height; ++y)
                for (int x = 0; x < Width; ++x) pixels[y * Stride + x] = (byte)Gray(x);
            return new GrayImage(pixels, Width, Height, Stride);
        }

        private static GrayImage Bar16()
        {
            var pixels = new ushort[Stride * Height];
            for (int y = 0; y < Height; ++y)
                for (int x = 0; x < Width; ++x) pixels[y * Stride + x] = (ushort)(Gray(x) * 256);
            return new GrayImage(pixels, Width, Height, 2 * Stride);
        }

        [Test]
        private static void BarEdgesAreFoundAndScoredAsAPair()
        {
            using (var parameters = new Params().Pair(new DesiredEdge(-20, Polarity.Positive), new DesiredEdge(10, Polarity.Negative))
                       .Methods(new Method(MethodId.SizeDiff, new OneSided(0.05, 0.5, 0.6, 1, 0))))
            using (var scorer = new Scorer(parameters))
            {
                foreach (GrayImage image in new[] { Bar8(), Bar16() })
                {
                    using (FoundEdges found = EdgeFinder.Find(image, Across, new EdgeSearch()))
                    {
                        string depth = image.BitsPerPixel + "-bit ";
                        Check.Equal(2, found.Count, depth + "edge count");
                        Check.That(Math.Abs(found.Positions[0] + 20.5) < 0.05 && Math.Abs(found.Positions[1] - 9.5) < 0.05,
                                   depth + "positions " + found.Positions[0] + ", " + found.Positions[1]);
                        Check.That(found.Contrasts[0] > 0 && found.Contrasts[1] < 0, depth + "polarities");
                        Check.That(Math.Abs(found.Points[1].X - 69.5) < 0.05 && found.Points[1].Y == 20, depth + "image point");
                        ScoreResult best = scorer.Score(found)[0];
                        Check.Equal(0, best.Edges[0].Index, depth + "first edge");
                        Check.Equal(1, best.Edges[1].Index, depth + "second edge");
                        Check.Equal(found.Positions[1], best.Edges[1].Position, depth + "second edge's position");
                    }
                }
            }
        }

        [Test]
        private static void BadImagesAndSettingsAreRefused()
        {
            var tooShort = new GrayImage(new byte[Width * Height], Width, Height, Stride);
            Check.Refused("CEDGE_STATUS_BUFFER_TOO_SMALL", () => EdgeFinder.Find(tooShort, Across, new EdgeSearch()), "buffer");
            Check.Refused("CEDGE_STATUS_SIGMA_NOT_VALID",
                          () => EdgeFinder.Find(Bar8(), Across, new EdgeSearch { Sigma = 0.1 }), "sigma");
            Check.Refused("CEDGE_STATUS_OUTSIDE_IMAGE",
                          () => EdgeFinder.Find(Bar8(), new Caliper(10, 20, 0, 100, 10), new EdgeSearch()), "outside");
            Check.Equal("pixels", Check.Throws<ArgumentNullException>(
                () => new GrayImage((byte[])null, Width, Height, Stride), "null pixels").ParamName, "null argument");
        }
    }
}
