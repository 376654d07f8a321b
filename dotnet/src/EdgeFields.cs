// One edge's values in either record family. A plain edge record is the
// first two fields of an extended one, and the result and result set
// records of both families agree in every field up to their edge arrays, so
// one reader serves both: `extended` says which edge records the arrays hold
// (two fields each, or five; the layout test checks the records).
using System;
using Cclp.Score.Native;

namespace Cclp.Score
{
    internal struct EdgeFields
    {
        internal double Position, Contrast, Extra1, Extra2, Extra3;
        internal int PositionFixed, ContrastFixed, Extra1Fixed, Extra2Fixed, Extra3Fixed;

        // Edge k of the arrays, in the formats written (the others stay 0).
        internal static unsafe EdgeFields Read(void* edges, void* edgesFixed, int k, uint formats, bool extended)
        {
            EdgeFields fields;
            Read(edges, edgesFixed, k, formats, extended, out fields);
            return fields;
        }

        internal static unsafe void Read(void* edges, void* edgesFixed, int k, uint formats, bool extended,
            out EdgeFields fields)
        {
            int width = extended ? 5 : 2;
            fields = default(EdgeFields);
            if ((formats & (uint)Formats.Double) != 0)
            {
                double* edge = (double*)edges + k * width;
                fields.Position = edge[0];
                fields.Contrast = edge[1];
                if (extended)
                {
                    fields.Extra1 = edge[2];
                    fields.Extra2 = edge[3];
                    fields.Extra3 = edge[4];
                }
            }
            if ((formats & (uint)Formats.Fixed) != 0)
            {
                int* edge = (int*)edgesFixed + k * width;
                fields.PositionFixed = edge[0];
                fields.ContrastFixed = edge[1];
                if (extended)
                {
                    fields.Extra1Fixed = edge[2];
                    fields.Extra2Fixed = edge[3];
                    fields.Extra3Fixed = edge[4];
                }
            }
        }

        // Equal bits in every field: such edges score alike in any run.
        internal bool Same(ref EdgeFields other)
        {
            return Bits(Position) == Bits(other.Position) && Bits(Contrast) == Bits(other.Contrast) &&
                   Bits(Extra1) == Bits(other.Extra1) && Bits(Extra2) == Bits(other.Extra2) &&
                   Bits(Extra3) == Bits(other.Extra3) && PositionFixed == other.PositionFixed &&
                   ContrastFixed == other.ContrastFixed && Extra1Fixed == other.Extra1Fixed &&
                   Extra2Fixed == other.Extra2Fixed && Extra3Fixed == other.Extra3Fixed;
        }

        // Of the fields that tell edges apart in practice; Same compares all.
        internal int Hash()
        {
            ulong hash = 0xCBF29CE484222325ul;
            hash = Mix(Mix(hash, (ulong)Bits(Position)), (ulong)Bits(Contrast));
            hash = Mix(Mix(hash, (uint)PositionFixed), (uint)ContrastFixed);
            return (int)(hash ^ (hash >> 29) ^ (hash >> 32));
        }

        private static long Bits(double value)
        {
            return BitConverter.DoubleToInt64Bits(value);
        }

        private static ulong Mix(ulong hash, ulong word)
        {
            return (hash ^ word) * 0x100000001B3ul;
        }
    }
}
