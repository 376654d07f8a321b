// The scorer: runs the module with its parameters over edges, keeping its
// output records from one run to the next.
using System;
using Cclp.Score.Native;

namespace Cclp.Score
{
    // Holds its own copy of the parameters, its output record and an input
    // record it refills, so a run as large as the one before allocates
    // nothing but the module's own working block. Dispose frees them all.
    // A scorer serves one thread at a time.
    public sealed class Scorer : IDisposable
    {
        private readonly Params parameters;
        private readonly RecordHandle output, outputEx;
        private readonly Edges input;
        private readonly double[][] columns = new double[2][];
        private static readonly double[] NoScores = new double[0];
        private static readonly int[] NoScoresFixed = new int[0];
        private readonly IndexRecovery indices = new IndexRecovery();
        private int[] edgeIndices = new int[0];  // of the run, two per result
        private MethodSnapshot methods;
        private int methodsVersion;

        public Scorer(Params parameters)
        {
            if (parameters == null) throw new ArgumentNullException("parameters");
            try
            {
                this.parameters = new Params(parameters);
                output = RecordHandle.Construct<cclp_scoreResultSet>(
                    NativeMethods.cclp_scoreResultSet_construct,
                    NativeMethods.cclp_scoreResultSet_destruct, "cclp_scoreResultSet_construct");
                outputEx = RecordHandle.Construct<cclp_scoreResultSetEx>(
                    NativeMethods.cclp_scoreResultSetEx_construct,
                    NativeMethods.cclp_scoreResultSetEx_destruct, "cclp_scoreResultSetEx_construct");
                input = new Edges(false);
            }
            catch
            {
                Dispose();
                throw;
            }
        }

        // The scorer's parameters, which may be changed between runs.
        public Params Params { get { return parameters; } }

        // Scores the edges given by their positions and contrasts (double
        // precision). A refused run throws a StatusException.
        public Results Score(double[] positions, double[] contrasts)
        {
            columns[0] = positions;
            columns[1] = contrasts;
            try
            {
                input.Fill(columns, Formats.Double);
            }
            finally
            {
                columns[0] = columns[1] = null;
            }
            return Score(input);
        }

        // Scores edges held in the caliper library's record, such as those
        // the edge finder found, without copying them; extended edges by the
        // extended run.
        public unsafe Results Score(Edges edges)
        {
            if (edges == null) throw new ArgumentNullException("edges");
            bool extended = edges.IsExtended;
            IntPtr outputAddress = (extended ? outputEx : output).Address(this);
            if (extended)
            {
                StatusException.ThrowIfFailed(
                    NativeMethods.cclp_runScoreEx(edges.Address, parameters.Address, outputAddress),
                    "cclp_runScoreEx");
            }
            else
            {
                StatusException.ThrowIfFailed(
                    NativeMethods.cclp_runScore(edges.Address, parameters.Address, outputAddress),
                    "cclp_runScore");
            }
            // Both families' result sets agree up to their edge arrays (EdgeFields).
            var set = (cclp_scoreResultSet*)outputAddress;
            if (edgeIndices.Length < 2 * set->numResults) edgeIndices = new int[2 * set->numResults];
            indices.Recover(edges.Set, set->results, set->numResults, extended, edgeIndices);
            MethodSnapshot snapshot = Methods();
            var results = new ScoreResult[set->numResults];
            for (int r = 0; r < results.Length; ++r)
            {
                results[r] = Copy(&set->results[r], extended, edgeIndices, r, snapshot);
            }
            GC.KeepAlive(this);
            GC.KeepAlive(edges);
            return new Results(results);
        }

        // The parameters' methods as of this run, reread only after a change.
        private MethodSnapshot Methods()
        {
            if (methods == null || methodsVersion != parameters.Version)
            {
                methods = new MethodSnapshot(parameters);
                methodsVersion = parameters.Version;
            }
            return methods;
        }

        public void Dispose()
        {
            if (input != null) input.Dispose();
            if (output != null) output.Dispose();
            if (outputEx != null) outputEx.Dispose();
            if (parameters != null) parameters.Dispose();
        }

        private static unsafe ScoreResult Copy(cclp_scoreOneResult* record, bool extended, int[] indices,
            int r, MethodSnapshot methods)
        {
            var formats = (Formats)record->formats;
            bool hasDouble = (formats & Formats.Double) != 0;
            bool hasFixed = (formats & Formats.Fixed) != 0;
            double[] scores = hasDouble ? new double[record->numScores] : NoScores;
            int[] scoresFixed = hasFixed ? new int[record->numScores] : NoScoresFixed;
            for (int m = 0; m < scores.Length; ++m) scores[m] = record->scores[m];
            for (int m = 0; m < scoresFixed.Length; ++m) scoresFixed[m] = record->scoresFixed[m];
            var edges = new ResultEdge[record->numEdges];
            for (int k = 0; k < edges.Length; ++k)
            {
                EdgeFields.Read(record->edges, record->edgesFixed, k, record->formats, extended, out edges[k].fields);
                edges[k].index = k < 2 ? indices[2 * r + k] : -1;
            }
            return new ScoreResult(methods, formats, record->score, record->position,
                record->scoreFixed, record->positionFixed, scores, scoresFixed, edges);
        }
    }
}
