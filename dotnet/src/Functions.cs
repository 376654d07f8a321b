// One-sided and two-sided scoring functions, checked by the module when
// they are built.
using Cclp.Score.Native;

namespace Cclp.Score
{
    // The five abscissae and ordinates of a one-sided function: y0 from x0
    // outward, a ramp to (x1, y1), y1 up to x2, 0 beyond.
    public struct Breakpoints
    {
        public Breakpoints(double x0, double x1, double x2, double y0, double y1)
        {
            X0 = x0;
            X1 = x1;
            X2 = x2;
            Y0 = y0;
            Y1 = y1;
        }

        public double X0 { get; private set; }
        public double X1 { get; private set; }
        public double X2 { get; private set; }
        public double Y0 { get; private set; }
        public double Y1 { get; private set; }
    }

    // A one-sided scoring function. default(OneSided) is not a function:
    // build one with a constructor or OneSided.Default.
    public struct OneSided
    {
        internal cclp_scoreOneSided Record;

        // Refused with a StatusException naming the broken rule
        // (CCLP_STATUS_ABSCISSAE_NOT_MONOTONE, CCLP_STATUS_Y0_BELOW_Y1, ...).
        public unsafe OneSided(double x0, double x1, double x2, double y0, double y1)
        {
            cclp_scoreOneSided record = Default.Record;
            StatusException.ThrowIfFailed(
                NativeMethods.cclp_scoreOneSided_initValues(&record, x0, x1, x2, y0, y1),
                "cclp_scoreOneSided_initValues");
            Record = record;
        }

        public OneSided(Breakpoints b) : this(b.X0, b.X1, b.X2, b.Y0, b.Y1) {}

        internal OneSided(cclp_scoreOneSided record)
        {
            Record = record;
        }

        // 1 up to 0, falling to 0 at 1.
        public static unsafe OneSided Default
        {
            get
            {
                cclp_scoreOneSided record;
                NativeMethods.cclp_scoreOneSided_init(&record);
                return new OneSided(record);
            }
        }

        public Breakpoints Breakpoints
        {
            get { return new Breakpoints(Record.x0, Record.x1, Record.x2, Record.y0, Record.y1); }
        }

        // The reference position of the offset-distance method.
        public double PositionOffset { get { return Record.positionOffset; } }

        public unsafe OneSided WithPositionOffset(double offset)
        {
            cclp_scoreOneSided record = Record;
            NativeMethods.cclp_scoreOneSided_setPositionOffset(&record, offset);
            return new OneSided(record);
        }
    }

    // A two-sided scoring function: values below the split point (the lower
    // end of the high side) are scored by the low side, all others by the
    // high side.
    public struct TwoSided
    {
        internal cclp_scoreTwoSided Record;

        public unsafe TwoSided(Breakpoints low, Breakpoints high)
        {
            cclp_scoreTwoSided record = Default.Record;
            StatusException.ThrowIfFailed(
                NativeMethods.cclp_scoreTwoSided_initValues(&record, low.X0, low.X1, low.X2, high.X0,
                    high.X1, high.X2, low.Y0, low.Y1, high.Y0, high.Y1),
                "cclp_scoreTwoSided_initValues");
            Record = record;
        }

        // Each side checked on its own, without the checks of one against the
        // other: enough for edgePos and offsetDist, which score each side
        // apart; sizeDiffSigned reads the split point and wants the checked form.
        public static unsafe TwoSided OfSides(Breakpoints low, Breakpoints high)
        {
            cclp_scoreTwoSided record = Default.Record;
            StatusException.ThrowIfFailed(
                NativeMethods.cclp_scoreTwoSided_initOneSided(&record, low.X0, low.X1, low.X2, low.Y0,
                    low.Y1, high.X0, high.X1, high.X2, high.Y0, high.Y1),
                "cclp_scoreTwoSided_initOneSided");
            return new TwoSided(record);
        }

        internal TwoSided(cclp_scoreTwoSided record)
        {
            Record = record;
        }

        // A triangle peaking at 0 with score 1, reaching 0 at -1 and +1.
        public static unsafe TwoSided Default
        {
            get
            {
                cclp_scoreTwoSided record;
                NativeMethods.cclp_scoreTwoSided_init(&record);
                return new TwoSided(record);
            }
        }

        public OneSided LowSide { get { return new OneSided(Record.lowSide); } }
        public OneSided HighSide { get { return new OneSided(Record.highSide); } }

        public unsafe TwoSided WithPositionOffsets(double low, double high)
        {
            cclp_scoreTwoSided record = Record;
            NativeMethods.cclp_scoreTwoSided_setPositionOffsets(&record, low, high);
            return new TwoSided(record);
        }
    }
}
