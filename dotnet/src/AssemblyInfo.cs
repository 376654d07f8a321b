using System.Reflection;
using System.Runtime.CompilerServices;

[assembly: AssemblyTitle("Cclp.Score")]
[assembly: AssemblyDescription("Caliper scoring and edge finding for .NET callers")]
// The tests check the records against the native layouts; the benchmark
// times the bare C call beside the binding.
[assembly: InternalsVisibleTo("Cclp.Score.Tests")]
[assembly: InternalsVisibleTo("Cclp.Score.Bench")]
