#include "settings/IniText.h"

#include <gtest/gtest.h>

namespace {

struct CleanCase
{
    const char* name;
    QByteArray file;
    QByteArray expected; // the file as it is read; equal to `file` when nothing is taken out
};

void PrintTo(const CleanCase& c, std::ostream* os)
{
    *os << c.name;
}

class IniTextClean : public ::testing::TestWithParam<CleanCase>
{
};

TEST_P(IniTextClean, KeepsTheTextAndTakesOutWhatNoPlainTextHolds)
{
    const CleanCase& c = GetParam();
    const IniText::Cleaned cleaned = IniText::clean(c.file);
    EXPECT_EQ(cleaned.text, c.expected);
    EXPECT_EQ(cleaned.changed, c.file != c.expected);
}

const QByteArray store = "[connessione]\nutente=mario\npassword=segreto\n[importo]\ncosto=152\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, IniTextClean,
    ::testing::Values(CleanCase{"PlainStore", store, store},
                      CleanCase{"CrLfAndTabs", "[a]\r\nx=1\t2\r\n", "[a]\r\nx=1\t2\r\n"},
                      CleanCase{"NulBytesOnly", QByteArray(4096, '\0'), QByteArray()},
                      CleanCase{"NulBytesBeforeAStore", QByteArray(512, '\0') + store, store},
                      CleanCase{"ControlBytesAmidAValue",
                                "[a]\nx=1\x01\x7f"
                                "2\n",
                                "[a]\nx=12\n"},
                      CleanCase{"SerialisedVariant", "[suono]\nro=@Variant(\\0\\0\\0\\to=N\\0\\0\\0\\x1)\nbeep=ON\n",
                                "[suono]\nbeep=ON\n"},
                      CleanCase{"ByteArrayAndPoint", "[a]\nb=@ByteArray(zz)\np=@Point(1 2)\nq=1\n", "[a]\nq=1\n"},
                      CleanCase{"EscapedAtSign", "[a]\nb=\\x40Variant(x)\nc=\\x10040Variant(x)\nd=\\100Rect(1)\ne=ok\n",
                                "[a]\ne=ok\n"},
                      CleanCase{"QuotedOrInAList", "[a]\nb=\"@Size(1 2)\"\nc=uno, @Point(1 2)\nd=\"uno, @due\"\n",
                                "[a]\nd=\"uno, @due\"\n"},
                      CleanCase{"DoubledAtIsAPlainText", "[a]\nb=@@Variant(x)\nmail=mario@esempio.it\n",
                                "[a]\nb=@@Variant(x)\nmail=mario@esempio.it\n"},
                      CleanCase{"ContinuedLineGoesWhole", "[a]\nb=@Variant(\\\n\\0\\0)\nc=1\n", "[a]\nc=1\n"}),
    [](const ::testing::TestParamInfo<CleanCase>& info) { return info.param.name; });

} // namespace
