// The C exports the binding calls: the scoring module's, the edge finder's,
// and those of the sibling libraries whose records and memory they share.
// "cclp_score" loads cclp_score.dll on Windows and libcclp_score.so on Linux.
using System;
using System.Runtime.InteropServices;

namespace Cclp.Score.Native
{
    internal static unsafe class NativeMethods
    {
        private const string Module = "cclp_score";
        private const string EdgeFinder = "cedge";
        private const string Caliper = "cclp_caliper";
        private const string Runtime = "csys_runtime";
        private const CallingConvention Cdecl = CallingConvention.Cdecl;

        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreOneSided_initValues(cclp_scoreOneSided* function,
            double x0, double x1, double x2, double y0, double y1);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreOneSided_init(cclp_scoreOneSided* function);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreOneSided_setPositionOffset(cclp_scoreOneSided* function,
            double offset);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreTwoSided_init(cclp_scoreTwoSided* function);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreTwoSided_initValues(cclp_scoreTwoSided* function,
            double lowX0, double lowX1, double lowX2, double highX0, double highX1, double highX2,
            double lowY0, double lowY1, double highY0, double highY1);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreTwoSided_initOneSided(cclp_scoreTwoSided* function,
            double lowX0, double lowX1, double lowX2, double lowY0, double lowY1, double highX0,
            double highX1, double highX2, double highY0, double highY1);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreTwoSided_setPositionOffsets(cclp_scoreTwoSided* function,
            double lowOffset, double highOffset);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_score_init(cclp_score* score);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_score_initScoreMethodOneSided(cclp_score* score, int method,
            cclp_scoreOneSided* function);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_score_initScoreMethodTwoSided(cclp_score* score, int method,
            cclp_scoreTwoSided* function);

        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreParams_construct(IntPtr parameters);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreParams_constructCopy(IntPtr parameters, IntPtr source);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreParams_destruct(IntPtr parameters);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreParams_setDesiredEdges(IntPtr parameters, int count,
            cclp_desiredEdge* edges);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreParams_setMaxNumResults(IntPtr parameters, int count);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreParams_setSortByScore(IntPtr parameters, int sortByScore);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreParams_setScoreMethods(IntPtr parameters, int count,
            cclp_score* methods);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreParams_updateOneSidedOffset(IntPtr parameters, int index,
            double offset);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreParams_updateTwoSidedOffsets(IntPtr parameters, int index,
            double lowOffset, double highOffset);

        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreResultSet_construct(IntPtr set);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreResultSet_destruct(IntPtr set);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_runScore(IntPtr input, IntPtr parameters, IntPtr output);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_resultSetEx_construct(IntPtr set);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_resultSetEx_destruct(IntPtr set);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreResultSetEx_construct(IntPtr set);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_scoreResultSetEx_destruct(IntPtr set);
        [DllImport(Module, CallingConvention = Cdecl)]
        internal static extern int cclp_runScoreEx(IntPtr input, IntPtr parameters, IntPtr output);

        [DllImport(Caliper, CallingConvention = Cdecl)]
        internal static extern int cclp_resultSet_construct(IntPtr set);
        [DllImport(Caliper, CallingConvention = Cdecl)]
        internal static extern int cclp_resultSet_destruct(IntPtr set);

        [DllImport(Runtime, CallingConvention = Cdecl)]
        internal static extern int csys_memory_realloc_internal(UIntPtr size, void** block);
        [DllImport(Runtime, CallingConvention = Cdecl)]
        internal static extern long csys_testing_liveBlocks();

        [DllImport(EdgeFinder, CallingConvention = Cdecl)]
        internal static extern int cedge_params_init(cedge_params* parameters);
        [DllImport(EdgeFinder, CallingConvention = Cdecl)]
        internal static extern int cedge_findEdges(cedge_image* image, cedge_caliper* caliper,
            cedge_params* parameters, IntPtr edges, IntPtr profile);
    }
}
