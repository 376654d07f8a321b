// The binding's results equal those of the cclp-score tool (the C library's
// runs) bit for bit: on the bundled samples and on random recordings with
// repeated edges, whose equal candidates the input indices tell apart.
using System;
using System.Diagnostics;
using System.Globalization;
using System.IO;
using System.Linq;
using System.Runtime.Serialization.Json;
using System.Text;
using System.Xml;
using System.Xml.Linq;

namespace Cclp.Score.Tests
{
    internal static class ToolAgreementTests
    {
        [Test]
        private static void BundledSamplesAgree()
        {
            string[] samples = Directory.GetFiles(Environment.GetEnvironmentVariable("CCLP_SAMPLES"), "*.json");
            Check.That(samples.Length >= 3, "bundled samples found");
            foreach (string sample in samples) AgreeWithTool(sample);
        }

        [Test]
        private static void RandomRecordingsAgree()
        {
            var random = new Random(31);
            string path = Path.Combine(Path.GetTempPath(), "cclp_dotnet_" + Process.GetCurrentProcess().Id + ".json");
            try
            {
                for (int recording = 0; recording < 6; ++recording)
                {
                    File.WriteAllText(path, RandomRecording(random, recording % 2 == 0, recording % 3 == 2));
                    AgreeWithTool(path);
                }
            }
            finally
            {
                File.Delete(path);
            }
        }

        // Ascending edges at quarter pixels, some repeated; pairs or single
        // edges; extended edges with extras scored by extraMax.
        private static string RandomRecording(Random random, bool pairs, bool extended)
        {
            int count = random.Next(8, 40);
            var edges = new double[count][];
            for (int i = 0; i < count; ++i)
            {
                edges[i] = i > 2 && random.Next(4) == 0 ? edges[random.Next(i)]
                    : new[] { Math.Round((random.NextDouble() * 100.0 - 50.0) * 4.0) / 4.0,
                              (random.Next(2) == 0 ? -1 : 1) * random.Next(5, 120), random.Next(3) * 0.5,
                              random.NextDouble(), random.NextDouble() };
            }
            string edgeList = string.Join(",", edges.OrderBy(e => e[0]).Select(e => string.Format(CultureInfo.InvariantCulture,
                extended ? "{{\"position\": {0}, \"contrast\": {1}, \"extra1\": {2}, \"extra2\": {3}, \"extra3\": {4}}}"
                         : "{{\"position\": {0}, \"contrast\": {1}}}", e[0], e[1], e[2], e[3], e[4])));
            string desired = pairs ? "{\"position\": -10, \"polarity\": \"positive\"}, {\"position\": 10, \"polarity\": \"negative\"}"
                                   : "{\"position\": 3, \"polarity\": \"any\"}";
            string methods = pairs
                ? "{\"method\": \"sizeDiff\", \"oneSided\": {\"x0\": 0.05, \"x1\": 0.5, \"x2\": 0.6, \"y0\": 1, \"y1\": 0}}," +
                  "{\"method\": \"edgePos\", \"twoSided\": {\"low\": {\"x0\": 0, \"x1\": -30, \"x2\": -40, \"y0\": 1, \"y1\": 0}," +
                  " \"high\": {\"x0\": 0, \"x1\": 30, \"x2\": 40, \"y0\": 1, \"y1\": 0}}}"
                : "{\"method\": \"offsetDist\", \"oneSided\": {\"x0\": 1, \"x1\": 20, \"x2\": 40, \"y0\": 1, \"y1\": 0.1, \"offset\": 2.5}}";
            methods += ",{\"method\": \"contrast\", \"oneSided\": {\"x0\": 100, \"x1\": 5, \"x2\": 0, \"y0\": 1, \"y1\": 0}}";
            if (extended) methods += ",{\"method\": \"extraMax\", \"oneSided\": {\"x0\": 0.9, \"x1\": 0.4, \"x2\": 0, \"y0\": 1, \"y1\": 0.2}}";
            return "{\"caliper\": {\"formats\": \"" + (pairs ? "double" : "both") + "\", \"edges\": [" + edgeList + "]}, \"params\": {\"desiredEdges\": [" +
                   desired + "], \"scoreMethods\": [" + methods + "], \"maxNumResults\": 12, \"sortByScore\": true}}";
        }

        // Scores the document as the tool spelled it out, in the formats it
        // names, and compares every result field the tool reports.
        private static void AgreeWithTool(string input)
        {
            XElement document = RunTool(input);
            XElement caliper = document.Element("caliper");
            Func<string, double[]> column = name => caliper.Element("edges").Elements().Select(e => Number(e, name)).ToArray();
            double[] positions = column("position"), contrasts = column("contrast");
            bool extended = caliper.Element("edges").Elements().Any(e => e.Element("extra1") != null);
            var formats = (Formats)Enum.Parse(typeof(Formats), caliper.Element("formats").Value, true);
            using (Params parameters = ParamsOf(document.Element("params")))
            using (var scorer = new Scorer(parameters))
            using (Edges edges = extended ? new Edges(positions, contrasts, column("extra1"), column("extra2"), column("extra3"), formats)
                                          : new Edges(positions, contrasts, formats))
            {
                Results results = formats == Formats.Double && !extended ? scorer.Score(positions, contrasts)
                                                                         : scorer.Score(edges);
                XElement[] expected = document.Element("results").Elements().ToArray();
                string where = Path.GetFileName(input) + " result ";
                Check.Equal(expected.Length, results.Count, where + "count");
                for (int r = 0; r < expected.Length; ++r) AgreeOnResult(expected[r], results[r], where + r);
            }
        }

        private static void AgreeOnResult(XElement expected, ScoreResult result, string where)
        {
            AgreeIfGiven(expected, "score", result.Score, where);
            AgreeIfGiven(expected, "position", result.Position, where);
            AgreeIfGiven(expected, "scoreFixed", result.ScoreFixed, where);
            AgreeIfGiven(expected, "positionFixed", result.PositionFixed, where);
            XElement[] methods = expected.Element("methodScores").Elements().ToArray();
            for (int m = 0; m < methods.Length; ++m)
            {
                if (result.MethodScores.Length > 0) AgreeIfGiven(methods[m], "score", result.MethodScores[m], where + " method " + m);
                if (result.MethodScoresFixed.Length > 0)
                {
                    AgreeIfGiven(methods[m], "scoreFixed", result.MethodScoresFixed[m], where + " method " + m);
                }
                XElement measured = methods[m].Element("measured");
                double[] expectedValues = measured == null ? new double[0]
                    : measured.Elements().Select(v => double.Parse(v.Value, NumberStyles.Float, CultureInfo.InvariantCulture)).ToArray();
                Check.That(expectedValues.SequenceEqual(result.MeasuredValues(m)), where + " measured values " + m);
            }
            XElement[] edges = expected.Element("edges").Elements().ToArray();
            for (int k = 0; k < edges.Length; ++k)
            {
                string edge = where + " edge " + k;
                AgreeIfGiven(edges[k], "index", result.Edges[k].Index, edge);
                AgreeIfGiven(edges[k], "position", result.Edges[k].Position, edge);
                AgreeIfGiven(edges[k], "positionFixed", result.Edges[k].PositionFixed, edge);
                AgreeIfGiven(edges[k], "extra3", result.Edges[k].Extra3, edge);
                AgreeIfGiven(edges[k], "extra3Fixed", result.Edges[k].Extra3Fixed, edge);
            }
        }

        // The tool reports the fields of the formats the run wrote.
        private static void AgreeIfGiven(XElement expected, string name, double actual, string where)
        {
            if (expected.Element(name) != null) Check.Equal(Number(expected, name), actual, where + " " + name);
        }

        private static Params ParamsOf(XElement json)
        {
            var parameters = new Params();
            DesiredEdge[] desired = json.Element("desiredEdges").Elements()
                .Select(e => new DesiredEdge(Number(e, "position"), PolarityOf(e.Element("polarity").Value))).ToArray();
            if (desired.Length == 2) parameters.Pair(desired[0], desired[1]); else parameters.Single(desired[0]);
            return parameters.Methods(json.Element("scoreMethods").Elements().Select(MethodOf).ToArray())
                .MaxResults((int)Number(json, "maxNumResults")).Sorted(json.Element("sortByScore").Value == "true");
        }

        private static Method MethodOf(XElement json)
        {
            string name = json.Element("method").Value;
            XElement twoSided = json.Element("twoSided");
            if (twoSided == null) return new Method(name, FunctionOf(json.Element("oneSided")));
            OneSided low = FunctionOf(twoSided.Element("low")), high = FunctionOf(twoSided.Element("high"));
            TwoSided function = name == "sizeDiffSigned" ? new TwoSided(low.Breakpoints, high.Breakpoints)
                                                         : TwoSided.OfSides(low.Breakpoints, high.Breakpoints);
            return new Method(name, function.WithPositionOffsets(low.PositionOffset, high.PositionOffset));
        }

        private static OneSided FunctionOf(XElement json)
        {
            if (json == null) return OneSided.Default;
            var function = new OneSided(Number(json, "x0"), Number(json, "x1"), Number(json, "x2"),
                                        Number(json, "y0"), Number(json, "y1"));
            return json.Element("offset") == null ? function : function.WithPositionOffset(Number(json, "offset"));
        }

        private static Polarity PolarityOf(string name)
        {
            return (Polarity)Enum.Parse(typeof(Polarity), name, true);
        }

        private static double Number(XElement parent, string name)
        {
            return double.Parse(parent.Element(name).Value, NumberStyles.Float, CultureInfo.InvariantCulture);
        }

        private static XElement RunTool(string input)
        {
            var start = new ProcessStartInfo(Environment.GetEnvironmentVariable("CCLP_SCORE_TOOL"), "--json \"" + input + "\"")
            {
                UseShellExecute = false, RedirectStandardOutput = true
            };
            using (Process tool = Process.Start(start))
            {
                string output = tool.StandardOutput.ReadToEnd();
                tool.WaitForExit();
                Check.Equal(0, tool.ExitCode, "cclp-score --json " + input);
                using (XmlDictionaryReader reader = JsonReaderWriterFactory.CreateJsonReader(
                           Encoding.UTF8.GetBytes(output), XmlDictionaryReaderQuotas.Max))
                {
                    return XElement.Load(reader);
                }
            }
        }
    }
}
