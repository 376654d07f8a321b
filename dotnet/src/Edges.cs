// The edges of one caliper result in the caliper library's record, their
// arrays held through the runtime library as the record's destruct expects.
using System;
using Cclp.Score.Native;

namespace Cclp.Score
{
    public class Edges : IDisposable
    {
        private readonly RecordHandle record;
        // Edges the arrays that Fill allocated have room for.
        private int doubleCapacity, fixedCapacity;

        // From positions and contrasts, in the formats asked for; fixed-point
        // values are rounded as the module rounds.
        public Edges(double[] positions, double[] contrasts, Formats formats = Formats.Double) : this()
        {
            try
            {
                Fill(positions, contrasts, formats);
            }
            catch
            {
                Dispose();
                throw;
            }
        }

        internal Edges()
        {
            record = RecordHandle.Construct<cclp_resultSet>(NativeMethods.cclp_resultSet_construct,
                NativeMethods.cclp_resultSet_destruct, "cclp_resultSet_construct");
        }

        public unsafe int Count { get { return Set->numEdges; } }
        public unsafe Formats Formats { get { return (Formats)Set->formats; } }

        public double[] Positions { get { return Column(true); } }
        public double[] Contrasts { get { return Column(false); } }

        public void Dispose()
        {
            record.Dispose();
            GC.SuppressFinalize(this);
        }

        internal IntPtr Address { get { return record.Address(this); } }
        internal unsafe cclp_resultSet* Set { get { return (cclp_resultSet*)Address; } }

        // Replaces the edges, growing the arrays only when they are too small
        // for the new edges.
        internal unsafe void Fill(double[] positions, double[] contrasts, Formats formats)
        {
            if (positions == null) throw new ArgumentNullException("positions");
            if (contrasts == null) throw new ArgumentNullException("contrasts");
            if (contrasts.Length != positions.Length)
            {
                throw new ArgumentException("contrasts has " + contrasts.Length + " values for " +
                                            positions.Length + " positions", "contrasts");
            }
            if (formats != Formats.Double && formats != Formats.Fixed && formats != Formats.Both)
            {
                throw new ArgumentException("formats must be Double, Fixed or Both", "formats");
            }
            cclp_resultSet* set = Set;
            int n = positions.Length;
            set->numEdges = 0;
            if ((formats & Formats.Double) != 0)
            {
                Reserve((void**)&set->edges, ref doubleCapacity, n, sizeof(cclp_edge));
                for (int i = 0; i < n; ++i)
                {
                    set->edges[i].position = positions[i];
                    set->edges[i].contrast = contrasts[i];
                }
            }
            if ((formats & Formats.Fixed) != 0)
            {
                Reserve((void**)&set->edgesFixed, ref fixedCapacity, n, sizeof(cclp_edgeFixed));
                for (int i = 0; i < n; ++i)
                {
                    set->edgesFixed[i].position = FixedPoint.Round256(positions[i]);
                    set->edgesFixed[i].contrast = FixedPoint.Round256(contrasts[i]);
                }
            }
            set->numEdges = n;
            set->formats = (uint)formats;
            GC.KeepAlive(this);
        }

        private unsafe double[] Column(bool position)
        {
            cclp_resultSet* set = Set;
            var values = new double[set->numEdges];
            bool hasDouble = (set->formats & (uint)Formats.Double) != 0;
            for (int i = 0; i < values.Length; ++i)
            {
                values[i] = hasDouble ? (position ? set->edges[i].position : set->edges[i].contrast)
                                      : (position ? set->edgesFixed[i].position
                                                  : set->edgesFixed[i].contrast) / 256.0;
            }
            GC.KeepAlive(this);
            return values;
        }

        // Grows an array only when it has no room for the count, so that a
        // scorer refilling its input allocates nothing once it is warm.
        private static unsafe void Reserve(void** block, ref int capacity, int count, int size)
        {
            if (count <= capacity && *block != null) return;
            StatusException.ThrowIfFailed(
                NativeMethods.csys_memory_realloc_internal((UIntPtr)((ulong)count * (ulong)size), block),
                "csys_memory_realloc_internal");
            capacity = count;
        }
    }

    // The module's rounding of values to 1/256 units: v*256 + 0.5 truncated
    // for v >= 0, v*256 - 0.4999999999 truncated otherwise, saturating at the
    // 32-bit limits, NaN as 0.
    public static class FixedPoint
    {
        public static int Round256(double value)
        {
            double scaled = value * 256.0;
            if (double.IsNaN(scaled)) return 0;
            double rounded = scaled >= 0.0 ? scaled + 0.5 : scaled - 0.4999999999;
            if (rounded >= 2147483648.0) return int.MaxValue;
            if (rounded <= -2147483649.0) return int.MinValue;
            return (int)rounded;
        }
    }
}
