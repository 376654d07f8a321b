// The edge finder: edges along a caliper of a caller's gray image, found
// into the caliper library's record so that a scorer reads them as they are.
// Conventions as in cedge.h: x right, y down, angles in degrees (clockwise
// on screen), positions from the caliper's centre, positive contrast from
// dark to light.
using System;
using System.Runtime.InteropServices;
using Cclp.Score.Native;

namespace Cclp.Score
{
    // A caller's 8- or 16-bit gray pixels; read in place by each search.
    public sealed class GrayImage
    {
        private readonly Array pixels;
        private readonly int bufferBytes;

        // 8-bit pixels, rows strideBytes apart.
        public GrayImage(byte[] pixels, int width, int height, int strideBytes)
            : this(pixels, pixels == null ? 0 : pixels.Length, width, height, strideBytes, 8) {}

        // 16-bit pixels, rows strideBytes apart (an even stride keeps them aligned).
        public GrayImage(ushort[] pixels, int width, int height, int strideBytes)
            : this(pixels, pixels == null ? 0 : pixels.Length * 2, width, height, strideBytes, 16) {}

        private GrayImage(Array pixels, int bufferBytes, int width, int height, int strideBytes,
            int bitsPerPixel)
        {
            if (pixels == null) throw new ArgumentNullException("pixels");
            this.pixels = pixels;
            this.bufferBytes = bufferBytes;
            Width = width;
            Height = height;
            StrideBytes = strideBytes;
            BitsPerPixel = bitsPerPixel;
        }

        public int Width { get; private set; }
        public int Height { get; private set; }
        public int StrideBytes { get; private set; }
        public int BitsPerPixel { get; private set; }

        // The record of the pinned pixels; the edge finder checks the sizes.
        internal cedge_image Pinned(GCHandle pin)
        {
            return new cedge_image { pixels = pin.AddrOfPinnedObject(), bufferBytes = (UIntPtr)(uint)bufferBytes,
                                     width = Width, height = Height, strideBytes = StrideBytes,
                                     bitsPerPixel = BitsPerPixel };
        }

        internal Array Pixels { get { return pixels; } }
    }

    // Centre in pixels, angle in degrees (the search direction), length and
    // thickness in pixels.
    public struct Caliper
    {
        public Caliper(double centerX, double centerY, double angle, double length, double thickness)
        {
            CenterX = centerX;
            CenterY = centerY;
            Angle = angle;
            Length = length;
            Thickness = thickness;
        }

        public double CenterX { get; private set; }
        public double CenterY { get; private set; }
        public double Angle { get; private set; }
        public double Length { get; private set; }
        public double Thickness { get; private set; }

        // The image point at a position along the search direction.
        public ImagePoint PointAt(double position)
        {
            double radians = Angle * Math.PI / 180.0;
            return new ImagePoint(CenterX + position * Math.Cos(radians),
                                  CenterY + position * Math.Sin(radians));
        }
    }

    public struct ImagePoint
    {
        public ImagePoint(double x, double y)
        {
            X = x;
            Y = y;
        }

        public double X { get; private set; }
        public double Y { get; private set; }
    }

    // The search settings; the edge finder checks them and names a bad one.
    public sealed class EdgeSearch
    {
        public unsafe EdgeSearch()
        {
            cedge_params defaults;
            NativeMethods.cedge_params_init(&defaults);
            Sigma = defaults.sigma;
            MinContrast = defaults.minContrast;
            Polarity = (EdgePolarity)defaults.polarity;
        }

        public double Sigma { get; set; }        // Gaussian smoothing scale, pixels
        public double MinContrast { get; set; }  // smallest |contrast| reported
        public EdgePolarity Polarity { get; set; }
        // Project only the part of the caliper inside the image instead of failing.
        public bool ClipToImage { get; set; }
        public Formats Formats { get; set; } = Formats.Double;
    }

    // Edges the edge finder found, ascending, with their image points.
    public sealed class FoundEdges : Edges
    {
        internal FoundEdges() : base(false) {}

        public ImagePoint[] Points { get; internal set; }
    }

    public static class EdgeFinder
    {
        public static unsafe FoundEdges Find(GrayImage image, Caliper caliper, EdgeSearch search)
        {
            if (image == null) throw new ArgumentNullException("image");
            if (search == null) throw new ArgumentNullException("search");
            var settings = new cedge_params { sigma = search.Sigma, minContrast = search.MinContrast,
                                              polarity = (int)search.Polarity,
                                              flags = search.ClipToImage ? Tables.ClipToImage : 0u,
                                              formats = (uint)search.Formats };
            var rectangle = new cedge_caliper { centerX = caliper.CenterX, centerY = caliper.CenterY,
                                                angle = caliper.Angle, length = caliper.Length,
                                                thickness = caliper.Thickness };
            var found = new FoundEdges();
            GCHandle pin = GCHandle.Alloc(image.Pixels, GCHandleType.Pinned);
            try
            {
                cedge_image view = image.Pinned(pin);
                StatusException.ThrowIfFailed(
                    NativeMethods.cedge_findEdges(&view, &rectangle, &settings, found.Address, IntPtr.Zero),
                    "cedge_findEdges");
            }
            catch
            {
                found.Dispose();
                throw;
            }
            finally
            {
                pin.Free();
            }
            double[] positions = found.Positions;
            found.Points = new ImagePoint[positions.Length];
            for (int i = 0; i < positions.Length; ++i) found.Points[i] = caliper.PointAt(positions[i]);
            return found;
        }
    }
}
