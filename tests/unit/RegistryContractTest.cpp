// What the adapter logic relies on from the registry, checked against every
// backend. Output buffers start as 0xBD junk, so that an overrun or an
// untouched buffer shows.
#include <cstring>
#include <string>
#include <vector>

#include "RegistryTestBackend.h"

namespace {

constexpr unsigned char kJunk = 0xBD;

TEST_P(RegistryContractTest, KeyNamesIgnoreCaseAndEmptyPathParts) {
    const std::string scratch = backend().ScratchPath();
    {
        RegistryKey key = registry().CreateKey((scratch + "Case\\Key").c_str());
        ASSERT_TRUE(key.IsOpen());
        ASSERT_TRUE(registry().SetValue(key, "Value", kRegDword, "\1\0\0\0", 4));
    }
    for (const char* spelling : {"Case\\Key", "CASE\\key\\", "case\\\\KEY", "Case\\Key\\\\"}) {
        SCOPED_TRACE(spelling);
        RegistryKey key = registry().CreateKey((scratch + spelling).c_str());
        EXPECT_TRUE(registry().ValueExists(key, "VALUE"));
        key = registry().OpenKeyForReading((scratch + spelling).c_str());
        EXPECT_TRUE(registry().ValueExists(key, "VALUE"));
    }
    RegistryKey parent = registry().CreateKey((scratch + "Case").c_str());
    EXPECT_EQ(registry().CountSubkeys(parent), 1u) << "a spelling made a second key";
}

TEST_P(RegistryContractTest, OpenOrCreateMakesEveryMissingKeyAndOpeningForReadingNone) {
    const std::string scratch = backend().ScratchPath();
    RegistryKey parent = registry().CreateKey(scratch.c_str());
    EXPECT_FALSE(registry().OpenSubkeyForReading(parent, "A").IsOpen());
    EXPECT_FALSE(registry().OpenKeyForReading((scratch + "A\\B").c_str()).IsOpen());
    EXPECT_EQ(registry().CountSubkeys(parent), 0u);

    EXPECT_TRUE(registry().CreateKey((scratch + "A\\B\\C\\").c_str()).IsOpen());
    EXPECT_TRUE(registry().OpenSubkeyForReading(parent, "a\\b\\c").IsOpen());
    EXPECT_TRUE(registry().OpenKeyForReading((scratch + "a\\B").c_str()).IsOpen());
    EXPECT_EQ(registry().CountSubkeys(parent), 1u);
}

TEST_P(RegistryContractTest, AQueryCopiesOnlyWhatFitsTheByteLimit) {
    struct Row {
        const char* what;
        std::uint32_t type;
        std::string data;
        std::uint32_t limit;
        bool fits;
        std::string buffer;  // all 8 bytes after the query
    };
    const std::string junk(8, static_cast<char>(kJunk));
    const Row rows[] = {
        {"text that fills the limit", kRegSz, Bytes("abc\0"), 4, true,
         Bytes("abc\0") + junk.substr(4)},
        {"text one byte too big", kRegSz, Bytes("abcd\0"), 4, false, junk},
        {"unterminated text, room to spare", kRegSz, "abcd", 8, true,
         Bytes("abcd\0") + junk.substr(5)},
        {"unterminated text, no room", kRegSz, "abcd", 4, true, "abcd" + junk.substr(4)},
        {"unterminated multi-string", kRegMultiSz, "abcd", 8, true,
         Bytes("abcd\0") + junk.substr(5)},
        {"binary gets no terminator", kRegBinary, "abcd", 8, true, "abcd" + junk.substr(4)},
        {"DWORD", kRegDword, Bytes("\7\0\0\0"), 4, true, Bytes("\7\0\0\0") + junk.substr(4)},
        {"DWORD into two bytes", kRegDword, Bytes("\7\0\0\0"), 2, false, junk},
        {"empty text", kRegSz, "", 8, true, junk},
    };
    const std::string path = backend().ScratchPath() + "Query";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        backend().Seed(path, "Value", row.type, row.data);
        RegistryKey key = registry().CreateKey(path.c_str());
        unsigned char buffer[8];
        std::memset(buffer, kJunk, sizeof buffer);
        std::uint32_t type = 0;
        std::uint32_t length = 0;
        EXPECT_EQ(registry().QueryValue(key, "value", buffer, row.limit, &type, &length), row.fits);
        EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer), sizeof buffer), row.buffer);
        if (row.fits) {
            EXPECT_EQ(type, row.type);
            EXPECT_EQ(length, row.data.size());
        }
    }
}

TEST_P(RegistryContractTest, SetValuesKeepTheirTypeAndExactBytes) {
    const RegistryValue rows[] = {
        {kRegSz, Padded("192.168.0.10", 16)},      {kRegMultiSz, Padded("192.168.0.10", 16)},
        {kRegMultiSz, Bytes("255.255.255.255\0")}, {kRegSz, std::string(16, '\0')},
        {kRegSz, Padded("10.0.0.1,10.0.0.2", 40)}, {kRegDword, Bytes("\1\0\0\0")},
    };
    const std::string path = backend().ScratchPath() + "Set";
    for (const RegistryValue& row : rows) {
        SCOPED_TRACE(testing::Message() << row);
        RegistryKey key = registry().CreateKey(path.c_str());
        ASSERT_TRUE(registry().SetValue(key, "Value", row.type, row.data.data(),
                                        static_cast<std::uint32_t>(row.data.size())));
        EXPECT_EQ(backend().Inspect(path, "Value"), row);
    }
}

// What Apply puts back after a failed write: any value, read whole and set
// again, is exactly what it was.
TEST_P(RegistryContractTest, AWholeValueReadsAsItIsAndSetsBackTheSame) {
    std::string large(100000, '\0');
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>(i * 7 + 1);
    const RegistryValue rows[] = {
        {kRegSz, Padded("00A0C9112233", 16)},
        {kRegSz, "abcd"},  // unterminated
        {kRegMultiSz, Bytes("10.0.0.5\0"
                            "10.0.0.6\0\0")},
        {kRegSz, ""},
        {kRegDword, Bytes("\1\0\0\0")},
        {kRegBinary, large},
    };
    const std::string path = backend().ScratchPath() + "Whole";
    RegistryKey key = registry().CreateKey(path.c_str());
    for (const RegistryValue& row : rows) {
        SCOPED_TRACE(testing::Message() << row.type << ", " << row.data.size() << " bytes");
        backend().Seed(path, "Value", row.type, row.data);
        RegistryValue read{99, "junk"};
        ASSERT_EQ(registry().ReadWholeValue(key, "value", read), ValueRead::kPresent);
        EXPECT_EQ(read, row);
        ASSERT_TRUE(registry().SetValue(key, "Copy", read.type, read.data.data(),
                                        static_cast<std::uint32_t>(read.data.size())));
        EXPECT_EQ(backend().Inspect(path, "Copy"), row);
    }
    RegistryValue untouched{99, "junk"};
    EXPECT_EQ(registry().ReadWholeValue(key, "Missing", untouched), ValueRead::kAbsent);
    EXPECT_EQ(registry().ReadWholeValue(RegistryKey(), "Value", untouched), ValueRead::kUnreadable);
}

TEST_P(RegistryContractTest, DeletingAnAbsentValueFailsAndChangesNothing) {
    const std::string path = backend().ScratchPath() + "Delete";
    backend().Seed(path, "Kept", kRegSz, Bytes("x\0"));
    backend().Seed(path, "NetworkAddress", kRegSz, Bytes("00A0C9112233\0"));
    RegistryKey key = registry().CreateKey(path.c_str());
    EXPECT_TRUE(registry().DeleteValue(key, "networkaddress"));
    EXPECT_FALSE(registry().ValueExists(key, "NetworkAddress"));
    EXPECT_FALSE(registry().DeleteValue(key, "NetworkAddress"));
    EXPECT_TRUE(registry().ValueExists(key, "Kept"));
}

TEST_P(RegistryContractTest, AKeyOpenedForReadingRefusesChanges) {
    const std::string scratch = backend().ScratchPath();
    backend().Seed(scratch + "ReadOnly", "Value", kRegSz, Bytes("x\0"));
    RegistryKey parent = registry().CreateKey(scratch.c_str());
    RegistryKey keys[] = {registry().OpenSubkeyForReading(parent, "readonly"),
                          registry().OpenKeyForReading((scratch + "READONLY\\").c_str())};
    for (const RegistryKey& key : keys) {
        ASSERT_TRUE(key.IsOpen());
        EXPECT_EQ(ReadTextValue(registry(), key, "value", 16), "x");
        EXPECT_FALSE(registry().SetValue(key, "Value", kRegSz, "y", 2));
        EXPECT_FALSE(registry().DeleteValue(key, "Value"));
        EXPECT_EQ(backend().Inspect(scratch + "ReadOnly", "Value"),
                  (RegistryValue{kRegSz, Bytes("x\0")}));
    }
}

TEST_P(RegistryContractTest, SubkeysEnumerateInTheOrderOfTheirLowerCasedNames) {
    const std::string scratch = backend().ScratchPath();
    for (const char* name : {"b", "A", "C", "0001", "0000", "_z", "[x", "aB", "a_"}) {
        registry().CreateKey((scratch + name).c_str());
    }
    const std::vector<std::string> expected = {"0000", "0001", "[x", "_z", "A",
                                               "a_",   "aB",   "b",  "C"};
    RegistryKey parent = registry().CreateKey(scratch.c_str());
    ASSERT_EQ(registry().CountSubkeys(parent), expected.size());
    for (std::uint32_t index = 0; index < expected.size(); ++index) {
        char name[256];
        std::memset(name, kJunk, sizeof name);
        EXPECT_TRUE(registry().EnumerateSubkey(parent, index, name, 255));
        EXPECT_EQ(std::string(name), expected[index]);
    }
    char name[8];
    std::memset(name, kJunk, sizeof name);
    EXPECT_FALSE(registry().EnumerateSubkey(parent, 9, name, 8));
    EXPECT_FALSE(registry().EnumerateSubkey(parent, 0, name, 4)) << "0000 needs 5 characters";
    EXPECT_EQ(static_cast<unsigned char>(name[0]), kJunk);
    EXPECT_TRUE(registry().EnumerateSubkey(parent, 0, name, 5));
    EXPECT_STREQ(name, "0000");
}

TEST_P(RegistryContractTest, AKeyWithoutWriteRightsOpensOnlyForReading) {
    const std::string scratch = backend().ScratchPath();
    backend().Seed(scratch + "Refused", "Value", kRegSz, Bytes("x\0"));
    if (!backend().RefuseFullAccess(scratch + "Refused")) GTEST_SKIP() << "cannot refuse a key";
    const RegistryKey refused = registry().CreateKey((scratch + "Refused").c_str());
    EXPECT_FALSE(refused.IsOpen());
    EXPECT_TRUE(refused.AccessDenied());
    // Any other failure is no lack of rights.
    EXPECT_FALSE(registry().CreateKey(("\\" + scratch).c_str()).AccessDenied());
    RegistryKey parent = registry().CreateKey(scratch.c_str());
    RegistryKey key = registry().OpenSubkeyForReading(parent, "Refused");
    EXPECT_TRUE(registry().ValueExists(key, "Value"));
    key = registry().OpenKeyForReading((scratch + "Refused").c_str());
    EXPECT_TRUE(registry().ValueExists(key, "Value"));
}

}  // namespace
