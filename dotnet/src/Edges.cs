// The edges of one caliper result in the caliper library's record, their
// arrays held through the runtime library as the record's destruct expects.
using System;
using Cclp.Score.Native;

namespace Cclp.Score
{
    // Plain edges carry a position and a contrast; extended ones three extra
    // values besides, and are scored by the extended run.
    public class Edges : IDisposable
    {
        private readonly RecordHandle record;
        // Edges the arrays that Fill allocated have room for.
        private int doubleCapacity, fixedCapacity;

        // From positions and contrasts, in the formats asked for; fixed-point
        // values are rounded as the module rounds.
        public Edges(double[] positions, double[] contrasts, Formats formats = Formats.Double)
            : this(false)
        {
            FillOrDispose(new[] { positions, contrasts }, formats);
        }

        // Extended edges: three extra values per edge.
        public Edges(double[] positions, double[] contrasts, double[] extra1, double[] extra2,
            double[] extra3, Formats formats = Formats.Double) : this(true)
        {
            FillOrDispose(new[] { positions, contrasts, extra1, extra2, extra3 }, formats);
        }

        internal Edges(bool extended)
        {
            IsExtended = extended;
            record = extended
                ? RecordHandle.Construct<cclp_resultSetEx>(NativeMethods.cclp_resultSetEx_construct,
                      NativeMethods.cclp_resultSetEx_destruct, "cclp_resultSetEx_construct")
                : RecordHandle.Construct<cclp_resultSet>(NativeMethods.cclp_resultSet_construct,
                      NativeMethods.cclp_resultSet_destruct, "cclp_resultSet_construct");
        }

        public bool IsExtended { get; private set; }
        public unsafe int Count { get { return Set->numEdges; } }
        public unsafe Formats Formats { get { return (Formats)Set->formats; } }

        public double[] Positions { get { return Column(fields => fields.Position, fields => fields.PositionFixed); } }
        public double[] Contrasts { get { return Column(fields => fields.Contrast, fields => fields.ContrastFixed); } }

        // Frees the edge arrays and the record; a forgotten Edges is freed by
        // the record's finalizer.
        public void Dispose()
        {
            record.Dispose();
        }

        internal IntPtr Address { get { return record.Address(this); } }
        // Both families' result sets agree up to their edge arrays (EdgeFields).
        internal unsafe cclp_resultSet* Set { get { return (cclp_resultSet*)Address; } }

        // Replaces the edges from their columns (position, contrast and, for
        // extended edges, the extras), growing the arrays only when they are
        // too small for the new edges.
        internal unsafe void Fill(double[][] columns, Formats formats)
        {
            string[] names = { "positions", "contrasts", "extra1", "extra2", "extra3" };
            for (int c = 0; c < columns.Length; ++c)
            {
                if (columns[c] == null) throw new ArgumentNullException(names[c]);
                if (columns[c].Length != columns[0].Length)
                {
                    throw new ArgumentException(names[c] + " has " + columns[c].Length + " values for " +
                                                columns[0].Length + " positions", names[c]);
                }
            }
            if (formats != Formats.Double && formats != Formats.Fixed && formats != Formats.Both)
            {
                throw new ArgumentException("formats must be Double, Fixed or Both", "formats");
            }
            cclp_resultSet* set = Set;
            int n = columns[0].Length, fields = columns.Length;
            set->numEdges = 0;
            if ((formats & Formats.Double) != 0)
            {
                Reserve((void**)&set->edges, ref doubleCapacity, n, fields * sizeof(double));
                for (int f = 0; f < fields; ++f)
                {
                    double[] column = columns[f];
                    double* field = (double*)set->edges + f;
                    for (int i = 0; i < n; ++i) field[i * fields] = column[i];
                }
            }
            if ((formats & Formats.Fixed) != 0)
            {
                Reserve((void**)&set->edgesFixed, ref fixedCapacity, n, fields * sizeof(int));
                for (int f = 0; f < fields; ++f)
                {
                    double[] column = columns[f];
                    int* field = (int*)set->edgesFixed + f;
                    for (int i = 0; i < n; ++i) field[i * fields] = FixedPoint.Round256(column[i]);
                }
            }
            set->numEdges = n;
            set->formats = (uint)formats;
            GC.KeepAlive(this);
        }

        internal unsafe EdgeFields EdgeAt(int i)
        {
            cclp_resultSet* set = Set;
            return EdgeFields.Read(set->edges, set->edgesFixed, i, set->formats, IsExtended);
        }

        private void FillOrDispose(double[][] columns, Formats formats)
        {
            try
            {
                Fill(columns, formats);
            }
            catch
            {
                Dispose();
                throw;
            }
        }

        // Double values when the edges have them, else the 1/256 ones.
        private double[] Column(Func<EdgeFields, double> value, Func<EdgeFields, int> valueFixed)
        {
            bool hasDouble = (Formats & Formats.Double) != 0;
            var values = new double[Count];
            for (int i = 0; i < values.Length; ++i)
            {
                EdgeFields fields = EdgeAt(i);
                values[i] = FixedPoint.ValueIn(hasDouble, value(fields), valueFixed(fields));
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

        // A value of a record in whichever format it was written: the double
        // one when it has Double, else the 1/256 one in caliper units.
        internal static double ValueIn(bool hasDouble, double value, int valueFixed)
        {
            return hasDouble ? value : valueFixed / 256.0;
        }
    }
}
