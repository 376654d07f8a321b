/* Writes the C# twins of the C headers' tables, so that the binding states
 * none of their facts again: "tables" prints the status names and meanings,
 * the score methods and the enumerations the binding exposes; "layouts"
 * prints the record layout list that the layout test checks the binding's
 * records against. Either goes to the file named second. */
#include <stdio.h>
#include <string.h>

#include "cclp_score/cclp_score.h"
#include "cedge/cedge.h"
#include "record_layouts.h"

static void putString(const char* text) {
    putchar('"');
    for (; *text != '\0'; ++text) {
        if (*text == '"' || *text == '\\') putchar('\\');
        putchar(*text);
    }
    putchar('"');
}

static void putStatus(long value, const char* name, const char* meaning) {
    printf("            new StatusText(%ld, ", value);
    putString(name);
    printf(", ");
    putString(meaning);
    printf("),\n");
}

#define PUT_MODULE_STATUS_(name, bits, meaning) putStatus((long)(name), #name, meaning);
#define PUT_RUNTIME_STATUS_(name, meaning) putStatus((long)(name), #name, meaning);

#define PUT_METHOD_ID_(number, id, ...) printf("        %s = %d,\n", #id, number);
#define PUT_METHOD_INFO_(number, id, name, function, pairsOnly, extendedOnly, needsWidth,      \
                         measures)                                                            \
    printf("            new MethodInfo(MethodId.%s, ", #id);                                   \
    putString(name);                                                                          \
    printf(", (FunctionKind)%d, %s, %s, %s, ", (int)(function), (pairsOnly) ? "true" : "false", \
           (extendedOnly) ? "true" : "false", (needsWidth) ? "true" : "false");              \
    putString(measures);                                                                      \
    printf("),\n");

static void putEnumMember(const char* name, long value) { printf("        %s = %ld,\n", name, value); }

static void putTables(void) {
    printf("namespace Cclp.Score\n{\n");
    printf("    public enum MethodId\n    {\n");
    CCLP_SCORE_METHOD_TABLE(PUT_METHOD_ID_)
    printf("    }\n\n    public enum FunctionKind\n    {\n");
    putEnumMember("None", cclp_scoreFunctionNone);
    putEnumMember("OneSided", cclp_scoreFunctionOneSided);
    putEnumMember("TwoSided", cclp_scoreFunctionTwoSided);
    putEnumMember("ByCandidate", cclp_scoreFunctionByCandidate);
    printf("    }\n\n    [System.Flags]\n    public enum Formats\n    {\n");
    putEnumMember("Double", CCLP_FORMAT_DOUBLE);
    putEnumMember("Fixed", CCLP_FORMAT_FIXED);
    putEnumMember("Both", CCLP_FORMAT_DOUBLE | CCLP_FORMAT_FIXED);
    printf("    }\n\n    public enum Polarity\n    {\n");
    putEnumMember("Positive", cclp_polarityPositive);
    putEnumMember("Negative", cclp_polarityNegative);
    putEnumMember("Any", cclp_polarityAny);
    printf("    }\n\n    public enum EdgePolarity\n    {\n");
    putEnumMember("Any", cedge_polarityAny);
    putEnumMember("DarkToLight", cedge_polarityDarkToLight);
    putEnumMember("LightToDark", cedge_polarityLightToDark);
    printf("    }\n\n    internal static class Tables\n    {\n");
    printf("        internal const uint ClipToImage = %uu;\n", (unsigned)CEDGE_CLIP_TO_IMAGE);
    printf("        internal static readonly MethodInfo[] Methods =\n        {\n");
    CCLP_SCORE_METHOD_TABLE(PUT_METHOD_INFO_)
    printf("        };\n\n        internal static readonly StatusText[] Statuses =\n        {\n");
    putStatus(0, "CCLP_STATUS_OK", "success");
    CCLP_STATUS_TABLE(PUT_MODULE_STATUS_)
    CEDGE_STATUS_TABLE(PUT_MODULE_STATUS_)
    CSYS_STATUS_TABLE(PUT_RUNTIME_STATUS_)
    printf("        };\n    }\n}\n");
}

#define PUT_SIZE_(type, bytes) printf("            new LayoutFact(\"%s\", null, %d),\n", #type, bytes);
#define PUT_OFFSET_(type, field, bytes) \
    printf("            new LayoutFact(\"%s\", \"%s\", %d),\n", #type, #field, bytes);

static void putLayouts(void) {
    printf("namespace Cclp.Score.Tests\n{\n    internal static class RecordLayoutList\n    {\n");
    printf("        internal static readonly LayoutFact[] Facts =\n        {\n");
    CCLP_RECORD_LAYOUTS(PUT_SIZE_, PUT_OFFSET_)
    printf("        };\n    }\n}\n");
}

int main(int argc, char** argv) {
    if (argc != 3 || (strcmp(argv[1], "tables") != 0 && strcmp(argv[1], "layouts") != 0)) {
        fprintf(stderr, "usage: %s tables|layouts OUTPUT.cs\n", argv[0]);
        return 2;
    }
    if (freopen(argv[2], "w", stdout) == NULL) {
        perror(argv[2]);
        return 1;
    }
    printf("// Generated from the C headers by generate_tables.c; not to be edited.\n");
    if (strcmp(argv[1], "tables") == 0) {
        putTables();
    } else {
        putLayouts();
    }
    return fclose(stdout) == 0 ? 0 : 1;
}
