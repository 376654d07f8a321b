// Refusals: the C libraries' statuses as exceptions that name them, bad
// arguments as ArgumentExceptions that name the argument, and a refused
// change or run that leaves the objects usable.
using System;

namespace Cclp.Score.Tests
{
    internal static class RefusalTests
    {
        [Test]
        private static void FunctionsAndMethodsNameTheBrokenRule()
        {
            Check.Refused("CCLP_STATUS_Y0_BELOW_Y1", () => new OneSided(0, 1, 2, 0.5, 0.8), "y0 below y1");
            Check.Refused("CCLP_STATUS_ABSCISSAE_NOT_MONOTONE", () => new OneSided(0, 2, 1, 1, 0), "abscissae");
            Check.Refused("CCLP_STATUS_NOT_TWO_SIDED_METHOD", () => new Method(MethodId.SizeDiff, TwoSided.Default),
                          "sizeDiff with a two-sided function");
            var unknown = Check.Throws<ArgumentException>(() => new Method("sizeDif", OneSided.Default), "unknown name");
            Check.Equal("name", unknown.ParamName, "unknown name's argument");
            Check.Equal(MethodId.Contrast, new Method("contrast", OneSided.Default).Id, "method by name");
        }

        [Test]
        private static void RefusedParamsChangeLeavesThemUnchanged()
        {
            using (var parameters = new Params().MaxResults(3))
            {
                Check.Refused("CCLP_STATUS_MAX_NUM_RESULTS_NOT_POSITIVE", () => parameters.MaxResults(0), "0 results");
                Check.Refused("CCLP_STATUS_SCORE_METHOD_COUNT_NOT_POSITIVE", () => parameters.Methods(), "no methods");
                Check.Equal(3, parameters.MaxResultCount, "count after the refusal");
                Check.Throws<ArgumentOutOfRangeException>(() => parameters.Method(1), "method index");
            }
        }

        [Test]
        private static void RefusedRunsAndBadArguments()
        {
            var sizeDiff = new Method(MethodId.SizeDiff, OneSided.Default);
            using (var scorer = new Scorer(new Params().Single().Methods(sizeDiff)))
            {
                Check.Refused("CCLP_STATUS_METHOD_NEEDS_PAIR", () => scorer.Score(new[] { 1.0 }, new[] { 9.0 }), "pair method");
                scorer.Params.Methods(new Method(MethodId.Contrast, OneSided.Default));
                Check.Equal(1, scorer.Score(new[] { 1.0 }, new[] { 9.0 }).Count, "run after a refused one");
                var mismatch = Check.Throws<ArgumentException>(() => scorer.Score(new[] { 1.0 }, new double[0]), "lengths");
                Check.Equal("contrasts", mismatch.ParamName, "mismatched argument");
                Check.Equal("positions", Check.Throws<ArgumentNullException>(() => scorer.Score(null, new double[0]),
                                                                             "null positions").ParamName, "null argument");
            }
            using (var parameters = new Params().Methods(sizeDiff))
            using (var scorer = new Scorer(parameters))
            {
                parameters.Methods(new Method(MethodId.Contrast, OneSided.Default));
                Check.Refused("CCLP_STATUS_METHOD_NEEDS_PAIR", () => scorer.Score(new[] { 1.0 }, new[] { 9.0 }),
                              "the scorer keeps its own copy of the parameters");
            }
            var disposed = new Scorer(new Params());
            disposed.Dispose();
            Check.Throws<ObjectDisposedException>(() => disposed.Score(new[] { 1.0 }, new[] { 9.0 }), "disposed scorer");
        }

        [Test]
        private static void UnknownStatusesAreShownInHex()
        {
            Check.Equal("unknown status 0x80000001", StatusException.Describe(unchecked((int)0x80000001)), "unknown status");
        }
    }
}
