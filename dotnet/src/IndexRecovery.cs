// Recovering the input indices of a run's results from their edge copies.
// Candidates with equal edge values have equal scores and positions, and a
// run orders equal candidates as it formed them (single edges in input
// order, pairs (i, j) with i < j, i-major), keeping the first of them. So
// the k-th result with given edge values is the k-th candidate formed from
// input edges with those values.
using System;
using System.Collections.Generic;
using Cclp.Score.Native;

namespace Cclp.Score
{
    internal sealed unsafe class IndexRecovery
    {
        // Every field a run copied of one edge, in the formats it wrote.
        private struct EdgeKey : IEquatable<EdgeKey>
        {
            private readonly long position, contrast;
            private readonly int positionFixed, contrastFixed;

            internal EdgeKey(cclp_edge* edge, cclp_edgeFixed* edgeFixed)
            {
                position = edge != null ? BitConverter.DoubleToInt64Bits(edge->position) : 0;
                contrast = edge != null ? BitConverter.DoubleToInt64Bits(edge->contrast) : 0;
                positionFixed = edgeFixed != null ? edgeFixed->position : 0;
                contrastFixed = edgeFixed != null ? edgeFixed->contrast : 0;
            }

            public bool Equals(EdgeKey other)
            {
                return position == other.position && contrast == other.contrast &&
                       positionFixed == other.positionFixed && contrastFixed == other.contrastFixed;
            }

            public override bool Equals(object other)
            {
                return other is EdgeKey && Equals((EdgeKey)other);
            }

            public override int GetHashCode()
            {
                long hash = position * 31 + contrast;
                hash = hash * 31 + positionFixed;
                hash = hash * 31 + contrastFixed;
                return (int)(hash ^ (hash >> 32));
            }
        }

        private readonly Dictionary<EdgeKey, int> valueIds = new Dictionary<EdgeKey, int>();
        private readonly List<List<int>> members = new List<List<int>>();  // input indices per value
        private readonly List<int> taken = new List<int>();                // single results per value
        private readonly Dictionary<long, int> pairsTaken = new Dictionary<long, int>();
        private int[] resultValues = new int[0];

        // indices[r] receives the input indices of result r's edges.
        internal void Recover(cclp_resultSet* input, cclp_scoreOneResult* results, int count,
            int[][] indices)
        {
            if (count == 0) return;
            uint formats = results[0].formats;
            int perResult = results[0].numEdges == 2 ? 2 : 1;
            CollectValues(results, count, perResult, formats);
            ListInputEdges(input, formats);
            for (int r = 0; r < count; ++r)
            {
                indices[r] = perResult == 1 ? Single(r) : Pair(r);
            }
        }

        private static EdgeKey KeyOf(cclp_edge* edges, cclp_edgeFixed* edgesFixed, int k, uint formats)
        {
            return new EdgeKey((formats & (uint)Formats.Double) != 0 ? edges + k : null,
                               (formats & (uint)Formats.Fixed) != 0 ? edgesFixed + k : null);
        }

        private void CollectValues(cclp_scoreOneResult* results, int count, int perResult, uint formats)
        {
            valueIds.Clear();
            members.Clear();
            taken.Clear();
            pairsTaken.Clear();
            if (resultValues.Length < count * perResult) resultValues = new int[count * perResult];
            for (int r = 0; r < count; ++r)
            {
                for (int k = 0; k < perResult; ++k)
                {
                    EdgeKey key = KeyOf(results[r].edges, results[r].edgesFixed, k, formats);
                    int id;
                    if (!valueIds.TryGetValue(key, out id))
                    {
                        id = members.Count;
                        valueIds.Add(key, id);
                        members.Add(new List<int>());
                        taken.Add(0);
                    }
                    resultValues[r * perResult + k] = id;
                }
            }
        }

        private void ListInputEdges(cclp_resultSet* input, uint formats)
        {
            for (int i = 0; i < input->numEdges; ++i)
            {
                int id;
                if (valueIds.TryGetValue(KeyOf(input->edges, input->edgesFixed, i, formats), out id))
                {
                    members[id].Add(i);
                }
            }
        }

        // A single-edge result: the first input edge of its value not yet taken.
        private int[] Single(int r)
        {
            int id = resultValues[r];
            if (taken[id] >= members[id].Count) return new[] { -1 };
            int index = members[id][taken[id]];
            taken[id] += 1;
            return new[] { index };
        }

        // A pair result: the k-th pair (i, j) of its two values, i < j,
        // i-major, where k counts the earlier results with the same values.
        private int[] Pair(int r)
        {
            int firstId = resultValues[2 * r], secondId = resultValues[2 * r + 1];
            long pairKey = ((long)firstId << 32) | (uint)secondId;
            int k;
            pairsTaken.TryGetValue(pairKey, out k);
            pairsTaken[pairKey] = k + 1;
            List<int> second = members[secondId];
            foreach (int i in members[firstId])
            {
                int after = UpperBound(second, i);
                int later = second.Count - after;
                if (k < later) return new[] { i, second[after + k] };
                k -= later;
            }
            return new[] { -1, -1 };
        }

        // The first position in an ascending list whose value is above `value`.
        private static int UpperBound(List<int> sorted, int value)
        {
            int low = 0, high = sorted.Count;
            while (low < high)
            {
                int middle = (low + high) / 2;
                if (sorted[middle] <= value) low = middle + 1; else high = middle;
            }
            return low;
        }
    }
}
