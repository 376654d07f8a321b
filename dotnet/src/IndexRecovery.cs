// Recovering the input indices of a run's results from their edge copies.
// Candidates with equal edge values have equal scores and positions, and a
// run orders equal candidates as it formed them (single edges in input
// order, pairs (i, j) with i < j, i-major), keeping the first of them. So
// the k-th result with given edge values is the k-th candidate formed from
// input edges with those values. The results' distinct values go into an
// open-addressing table; one pass over the input then lists, per value, the
// input edges holding it in ascending order. Its arrays are kept between
// runs, so a warm scorer allocates nothing here.
using System;
using Cclp.Score.Native;

namespace Cclp.Score
{
    internal sealed unsafe class IndexRecovery
    {
        private EdgeFields[] values = new EdgeFields[0];
        private int[] begin = new int[0], count = new int[0], taken = new int[0];
        private int valueCount, tableSize;
        private int[] slots = new int[0];          // value numbers, -1 when free
        private int[] resultValues = new int[0];   // per result edge
        private int[] inputValues = new int[0];    // per input edge, -1 for none
        private int[] members = new int[0];        // input indices, grouped by value
        private EdgeFields scratch;                // the edge being looked up, read in place

        // indices[r * 2 + k] receives the input index of result r's edge k.
        // The records are either family's (EdgeFields).
        internal void Recover(cclp_resultSet* input, cclp_scoreOneResult* results, int numResults,
            bool extended, int[] indices)
        {
            if (numResults == 0) return;
            uint formats = results[0].formats;
            int perResult = results[0].numEdges == 2 ? 2 : 1;
            CollectValues(results, numResults, perResult, formats, extended);
            ListInputEdges(input, formats, extended);
            for (int r = 0; r < numResults; ++r)
            {
                if (perResult == 1)
                {
                    indices[2 * r] = Single(r);
                    indices[2 * r + 1] = -1;
                }
                else
                {
                    Pair(r, indices);
                }
            }
        }

        private static void Grow<T>(ref T[] array, int size)
        {
            if (array.Length < size) array = new T[Math.Max(size, 2 * array.Length)];
        }

        private void CollectValues(cclp_scoreOneResult* results, int numResults, int perResult, uint formats,
            bool extended)
        {
            int entries = numResults * perResult;
            int size = 16;
            while (size < 4 * entries) size *= 2;
            tableSize = size;
            Grow(ref slots, size);
            for (int s = 0; s < size; ++s) slots[s] = -1;
            Grow(ref values, entries);
            Grow(ref begin, entries);
            Grow(ref count, entries);
            Grow(ref taken, entries);
            Grow(ref resultValues, entries);
            valueCount = 0;
            for (int r = 0; r < numResults; ++r)
            {
                for (int k = 0; k < perResult; ++k)
                {
                    EdgeFields.Read(results[r].edges, results[r].edgesFixed, k, formats, extended, out scratch);
                    resultValues[r * perResult + k] = Find(ref scratch, true);
                }
            }
        }

        // The number of a value, added first when `add` is set; -1 when absent.
        private int Find(ref EdgeFields key, bool add)
        {
            int mask = tableSize - 1;
            for (int slot = key.Hash() & mask;; slot = (slot + 1) & mask)
            {
                int id = slots[slot];
                if (id >= 0 && values[id].Same(ref key)) return id;
                if (id >= 0) continue;
                if (!add) return -1;
                id = valueCount++;
                slots[slot] = id;
                values[id] = key;
                count[id] = 0;
                taken[id] = 0;
                return id;
            }
        }

        // Each value's input edges in ascending index: counted, then placed.
        private void ListInputEdges(cclp_resultSet* input, uint formats, bool extended)
        {
            int n = input->numEdges;
            Grow(ref inputValues, n);
            for (int i = 0; i < n; ++i)
            {
                EdgeFields.Read(input->edges, input->edgesFixed, i, formats, extended, out scratch);
                int id = Find(ref scratch, false);
                inputValues[i] = id;
                if (id >= 0) ++count[id];
            }
            int next = 0;
            for (int id = 0; id < valueCount; ++id)
            {
                begin[id] = next;
                next += count[id];
                count[id] = 0;
            }
            Grow(ref members, next);
            for (int i = 0; i < n; ++i)
            {
                int id = inputValues[i];
                if (id >= 0) members[begin[id] + count[id]++] = i;
            }
        }

        // A single-edge result: the first input edge of its value not yet taken.
        private int Single(int r)
        {
            int id = resultValues[r];
            return taken[id] < count[id] ? members[begin[id] + taken[id]++] : -1;
        }

        // A pair result: the k-th pair (i, j) of its two values, i < j,
        // i-major, where k counts the earlier results with the same values
        // (by a scan of them: results are few, at most the maximum kept).
        private void Pair(int r, int[] indices)
        {
            int firstId = resultValues[2 * r], secondId = resultValues[2 * r + 1];
            int k = 0;
            for (int earlier = 0; earlier < r; ++earlier)
            {
                if (resultValues[2 * earlier] == firstId && resultValues[2 * earlier + 1] == secondId) ++k;
            }
            int secondBegin = begin[secondId], secondEnd = secondBegin + count[secondId];
            for (int a = begin[firstId]; a < begin[firstId] + count[firstId]; ++a)
            {
                int i = members[a];
                int after = UpperBound(secondBegin, secondEnd, i);
                int later = secondEnd - after;
                if (k < later)
                {
                    indices[2 * r] = i;
                    indices[2 * r + 1] = members[after + k];
                    return;
                }
                k -= later;
            }
            indices[2 * r] = -1;
            indices[2 * r + 1] = -1;
        }

        // The first place in members[from, to) (ascending) holding more than value.
        private int UpperBound(int from, int to, int value)
        {
            while (from < to)
            {
                int middle = from + (to - from) / 2;
                if (members[middle] <= value) from = middle + 1; else to = middle;
            }
            return from;
        }
    }
}
