// The C records the binding passes across the boundary, field for field as
// the C headers declare them (names too, so that the layout test can match
// them to the native layout list).
using System;
using System.Runtime.InteropServices;

namespace Cclp.Score.Native
{
    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_scoreOneSided
    {
        public double positionOffset, x0, x1, x2, y0, y1, rampConst, rampDrop, rampInvSpan;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_scoreOneSidedFixed
    {
        public int positionOffset, x0, x1, x2, y0, y1, rampConst, rampDrop, rampInvSpan;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_scoreTwoSided
    {
        public cclp_scoreOneSided lowSide, highSide;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_scoreTwoSidedFixed
    {
        public cclp_scoreOneSidedFixed lowSide, highSide;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_score
    {
        public int isOneSided;
        public cclp_scoreOneSided oneSided;
        public cclp_scoreTwoSided twoSided;
        public int method;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_scoreFixed
    {
        public int isOneSided;
        public cclp_scoreOneSidedFixed oneSided;
        public cclp_scoreTwoSidedFixed twoSided;
        public int method;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_desiredEdge
    {
        public double position;
        public int polarity;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct cclp_scoreParams
    {
        public int numDesiredEdges, sortByScore;
        public cclp_desiredEdge* desiredEdges;
        public int maxNumResults, numScoreMethods;
        public cclp_score* scoreMethods;
        public cclp_scoreFixed* scoreMethodsFixed;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_edge
    {
        public double position, contrast;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_edgeFixed
    {
        public int position, contrast;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_edgeEx
    {
        public double position, contrast, extra1, extra2, extra3;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cclp_edgeFixedEx
    {
        public int position, contrast, extra1, extra2, extra3;
    }

    // The image records' fields the binding never reads stay opaque.
    [StructLayout(LayoutKind.Sequential)]
    internal struct cimg_image32
    {
        public uint kind;
        public int width, height, rowStride;
        public IntPtr pixels, reserved0, reserved1, reserved2, reserved3, reserved4;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cimg_imageD
    {
        public uint kind;
        public int width, height, rowStride;
        public IntPtr pixels, reserved0, reserved1, reserved2, reserved3, reserved4;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cmath_vect
    {
        public double x, y;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct cclp_resultSet
    {
        public int numEdges;
        public uint formats;
        public cclp_edge* edges;
        public cclp_edgeFixed* edgesFixed;
        public IntPtr reserved0, reserved1;
        public uint projectionScale, projectionScaling;
        public cimg_image32 projectionImage;
        public uint auxValue, reserved2;
        public cimg_imageD doubleImage;
        public cmath_vect vect0, vect1;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct cclp_resultSetEx
    {
        public int numEdges;
        public uint formats;
        public cclp_edgeEx* edges;
        public cclp_edgeFixedEx* edgesFixed;
        public IntPtr reserved0, reserved1;
        public uint projectionScaling;
        public cimg_image32 projectionImage;
        public uint projectionScale, auxValue;
        public cimg_imageD doubleImage;
        public cmath_vect vect0, vect1;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct cclp_scoreOneResult
    {
        public int numScores;
        public uint formats;
        public int numEdges;
        public double position;
        public int positionFixed;
        public double score;
        public int scoreFixed;
        public double* scores;
        public int* scoresFixed;
        public cclp_edge* edges;
        public cclp_edgeFixed* edgesFixed;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct cclp_scoreOneResultEx
    {
        public int numScores;
        public uint formats;
        public int numEdges;
        public double position;
        public int positionFixed;
        public double score;
        public int scoreFixed;
        public double* scores;
        public int* scoresFixed;
        public cclp_edgeEx* edges;
        public cclp_edgeFixedEx* edgesFixed;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct cclp_scoreResultSet
    {
        public int numResults;
        public cclp_scoreOneResult* results;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal unsafe struct cclp_scoreResultSetEx
    {
        public int numResults;
        public cclp_scoreOneResultEx* results;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cedge_image
    {
        public IntPtr pixels;
        public UIntPtr bufferBytes;
        public int width, height, strideBytes, bitsPerPixel;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cedge_caliper
    {
        public double centerX, centerY, angle, length, thickness;
    }

    [StructLayout(LayoutKind.Sequential)]
    internal struct cedge_params
    {
        public double sigma, minContrast;
        public int polarity;
        public uint flags, formats;
    }
}
