#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "config/ConfigFile.h"
#include "config/FileReplace.h"
#include "config/FileText.h"

// Memory that runs out on request (AllocationLimit); arrays come here too.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"  // this new is malloc
#endif
void* operator new(std::size_t size) {
    void* memory = size > AllocationLimit::Largest() ? nullptr : std::malloc(size ? size : 1);
    if (!memory) throw std::bad_alloc();
    return memory;
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace {

using namespace std::string_literals;

const std::string kBanner =
    "****************************************************\r\n"
    "  Archivo de Configuraciones de Nicset 2005\r\n"
    "\r\n"
    "         Quorvia\r\n"
    "www.example.com - nicset@example.com\r\n"
    "****************************************************\r\n"
    "\r\n";

const RecordTexts kOficina = {"Oficina",       false,         "192.168.1.20", "Default",
                              "255.255.255.0", "192.168.1.1", "192.168.1.1",  "192.168.1.2"};

const std::string kOficinaBlock =
    "Nombre: Oficina\r\n"
    "DHCP Activado: No\r\n"
    "Direccion IP: 192.168.1.20\r\n"
    "MAC: Default\r\n"
    "Mascara de Red: 255.255.255.0\r\n"
    "Puerta de Enlace: 192.168.1.1\r\n"
    "1- Sevidor DNS: 192.168.1.1\r\n"
    "2- Sevidor DNS: 192.168.1.2\r\n"
    "\r\n";

ConfigurationList ListOf(const std::vector<RecordTexts>& records) {
    ConfigurationList list;
    for (const RecordTexts& texts : records) {
        EXPECT_TRUE(list.Append(MakeRecord(texts)));
    }
    return list;
}

// `text` and blanks after it, one byte more than a load reads.
std::string OverTheSizeLimit(const std::string& text) {
    return text + std::string(kLargestConfigFileBytes + 1 - text.size(), ' ');
}

std::vector<RecordTexts> Load(const std::string& path) {
    ConfigurationList list;
    ScriptedPrompts prompts;
    ConfigFileSession session;
    EXPECT_TRUE(LoadConfigurations(path.c_str(), list, prompts, session));
    EXPECT_TRUE(prompts.errors.empty());
    return TextsOf(list);
}

// A save in a session that loaded the file whole.
bool Save(const std::string& path, const ConfigurationList& list, ScriptedPrompts& prompts) {
    ConfigFileSession session;
    return SaveConfigurations(path.c_str(), list, prompts, session);
}

TEST(ConfigFileTest, WritesTheExactBytesAndReadsThemBack) {
    struct Row {
        const char* what;
        std::vector<RecordTexts> records;
        std::string bytes;
    };
    const Row rows[] = {
        {"empty list", {}, kBanner},
        {"worked example", {kOficina}, kBanner + kOficinaBlock},
        {"DHCP on and empty fields",
         {{"Casa", true, "", "Default"}},
         kBanner + "Nombre: Casa\r\nDHCP Activado: Si\r\nDireccion IP: \r\nMAC: Default\r\n"
                   "Mascara de Red: \r\nPuerta de Enlace: \r\n1- Sevidor DNS: \r\n"
                   "2- Sevidor DNS: \r\n\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const std::string path = directory.File(kConfigFileName);
        ScriptedPrompts prompts;

        EXPECT_TRUE(Save(path, ListOf(row.records), prompts));
        EXPECT_TRUE(prompts.errors.empty());
        EXPECT_EQ(ReadBytes(path), row.bytes);
        EXPECT_EQ(Load(path), row.records);
        EXPECT_EQ(directory.Names(), std::vector<std::string>{kConfigFileName});
    }
}

TEST(ConfigFileTest, RoundTripsKeepRecordsAndOrder) {
    const std::string longText(127, 'x');
    const std::vector<RecordTexts> records = {
        {"Zeta", false, "10.0.0.1", "00:0C:29:3A:1B:2C", "255.0.0.0", "", "", "10.0.0.2"},
        {"Alfa", true, "", "Default", "", "", "", ""},
        {"Zeta", false, "a\tb", "trailing  ", longText, longText, "x: y", longText},
        {longText, true, "1.2.3.4", "", "", "", "", ""},
    };
    ScratchDirectory directory;
    const std::string path = directory.File(kConfigFileName);
    ScriptedPrompts prompts;
    const ConfigurationList list = ListOf(records);

    ASSERT_TRUE(Save(path, list, prompts));
    const std::string first = ReadBytes(path);
    ASSERT_TRUE(Save(path, list, prompts));  // replaces an existing file
    EXPECT_EQ(ReadBytes(path), first);
    EXPECT_EQ(Load(path), records);

    // Loading appends to what the list already holds.
    ConfigurationList loaded = ListOf({kOficina});
    ConfigFileSession session;
    EXPECT_TRUE(LoadConfigurations(path.c_str(), loaded, prompts, session));
    ASSERT_EQ(loaded.Size(), 5u);
    EXPECT_EQ(TextsOf(loaded[0]), kOficina);
    EXPECT_EQ(TextsOf(loaded[4]), records[3]);
    EXPECT_TRUE(prompts.errors.empty());
}

std::string Block(const std::string& name, const std::string& dns2 = "8.8.8.8") {
    return "Nombre: " + name +
           "\nDHCP Activado: No\nDireccion IP: 10.0.0.1\nMAC: Default\nMascara de Red: "
           "255.0.0.0\nPuerta de Enlace: 10.0.0.254\n1- Sevidor DNS: 1.1.1.1\n2- Sevidor DNS: " +
           dns2 + "\n\n";
}

RecordTexts BlockRecord(const std::string& name, const std::string& dns2 = "8.8.8.8") {
    return {name, false, "10.0.0.1", "Default", "255.0.0.0", "10.0.0.254", "1.1.1.1", dns2};
}

// An ASCII text as Notepad saves it as "Unicode": a mark, then UTF-16.
std::string Utf16(const std::string& text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char c : text) {
        bytes += bigEndian ? "\0"s + c : c + "\0"s;
    }
    return bytes;
}

TEST(ConfigFileTest, ReadsHandMadeAndDamagedFiles) {
    const std::string megabyte(1 << 20, 'm');
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919 + 13) % 256);
    }
    RecordTexts dhcpOn = BlockRecord("A");
    dhcpOn.dhcp = true;
    RecordTexts dhcpOnB = BlockRecord("B", "9.9.9.9");
    dhcpOnB.dhcp = true;
    RecordTexts substituted = BlockRecord("50$ `off`  ", "$");

    struct Row {
        const char* what;
        std::string bytes;
        std::vector<RecordTexts> records;
    };
    const std::vector<Row> rows = {
        {"empty file", "", {}},
        {"banner only", kBanner, {}},
        {"zero bytes only", std::string(64, '\0'), {}},
        {"binary garbage", garbage, {}},
        {"bare LF line ends", Block("A") + Block("B"), {BlockRecord("A"), BlockRecord("B")}},
        {"lone CR line ends",
         "Nombre: A\rMAC: M\r2- Sevidor DNS: D\r",
         {{"A", false, "", "M", "", "", "", "D"}}},
        {"CR CR LF gives an empty line",
         "Nombre: A\r\r\n2- Sevidor DNS: D\r\r\n",
         {{"A", false, "", "", "", "", "", "D"}}},
        {"a last block without its final line end",
         Block("A") + "Nombre: B\n2- Sevidor DNS: last",
         {BlockRecord("A"),
          {"B", false, "10.0.0.1", "Default", "255.0.0.0", "10.0.0.254", "1.1.1.1", "last"}}},
        {"a last block without its DNS 2 line",
         Block("A") + "Nombre: B\nMAC: x\n",
         {BlockRecord("A")}},
        {"a missing key keeps the previous block's value",
         Block("A") + "Nombre: B\nDHCP Activado: Si\n2- Sevidor DNS: 9.9.9.9\n",
         {BlockRecord("A"), dhcpOnB}},
        {"keys in any order, a key twice keeps the later value",
         "MAC: Default\nNombre: X\nNombre: A\nDHCP Activado: Si\nDireccion IP: 10.0.0.1\n"
         "1- Sevidor DNS: 1.1.1.1\nPuerta de Enlace: 10.0.0.254\nMascara de Red: 255.0.0.0\n"
         "2- Sevidor DNS: 8.8.8.8\n",
         {dhcpOn}},
        {"only Si turns DHCP on",
         "DHCP Activado: si\n2- Sevidor DNS: a\nDHCP Activado: SI\n2- Sevidor DNS: b\n"
         "DHCP Activado: Si \n2- Sevidor DNS: c\nDHCP Activado:    Si\n2- Sevidor DNS: d\n",
         {{"", false, "", "", "", "", "", "a"},
          {"", false, "", "", "", "", "", "b"},
          {"", false, "", "", "", "", "", "c"},
          {"", true, "", "", "", "", "", "d"}}},
        {"a blank before the colon hides the key; leading blanks before a key do not",
         "Nombre : A\n   MAC: M\n2- Sevidor DNS: D\n",
         {{"", false, "", "M", "", "", "", "D"}}},
        {"a tab before a key hides it",
         "\tNombre: A\n2- Sevidor DNS: D\n",
         {{"", false, "", "", "", "", "", "D"}}},
        {"a key without a colon takes the whole next line",
         "Nombre\nA: b\n2- Sevidor DNS: D\n",
         {{"A: b", false, "", "", "", "", "", "D"}}},
        {"after an unknown key the rest of the line is read as a key",
         "Comment: Nombre\nA\nOther: text\n2- Sevidor DNS: D\n",
         {{"A", false, "", "", "", "", "", "D"}}},
        {"colons inside a value stay",
         "MAC: 00:0C:29:3A:1B:2C\n2- Sevidor DNS: D\n",
         {{"", false, "", "00:0C:29:3A:1B:2C", "", "", "", "D"}}},
        {"percent and double quote are substituted, leading blanks dropped",
         Block("  50% \"off\"  ", "%"),
         {substituted}},
        {"a zero byte ends the value",
         "Nombre: A\0Nombre: B\n2- Sevidor DNS: D\n"s,
         {{"B", false, "", "", "", "", "", "D"}}},
        {"duplicate names become two records",
         Block("Lab") + Block("Lab"),
         {BlockRecord("Lab"), BlockRecord("Lab")}},
        {"over-long values are cut to 127 characters",
         "Nombre: " + std::string(200, 'n') + "\n2- Sevidor DNS: " + megabyte + "\n",
         {{std::string(127, 'n'), false, "", "", "", "", "", std::string(127, 'm')}}},
        {"a 1 MB line without a key", megabyte + "\n" + Block("A"), {BlockRecord("A")}},
        {"a 1 MB key-like line", megabyte + ": x\n" + Block("A"), {BlockRecord("A")}},
        {"a file of the largest size loaded",
         Block("A") + std::string(kLargestConfigFileBytes - Block("A").size(), ' '),
         {BlockRecord("A")}},
        {"garbage around a block", garbage + "\n" + Block("A") + garbage, {BlockRecord("A")}},
        {"UTF-16 little-endian with its mark, an odd last byte dropped",
         Utf16(kBanner + Block("A") + Block("B"), false) + "x",
         {BlockRecord("A"), BlockRecord("B")}},
        {"UTF-16 big-endian with its mark", Utf16(Block("A"), true), {BlockRecord("A")}},
        {"UTF-8 with its mark; a character of no code page becomes ?",
         "\xEF\xBB\xBF" + Block("Casa \xE6\x97\xA5"),
         {BlockRecord("Casa ?")}},
        {"UTF-8 without a mark, as Notepad saves today",
         Block("M\xC3\xA1laga"),
         {BlockRecord("M\xE1laga")}},
        {"ANSI text that is not UTF-8", Block("M\xE1laga"), {BlockRecord("M\xE1laga")}},
        {"Nicset's own \"\xC2\xB0\" is UTF-8 by chance, and reads as \"\xB0\"",
         Block("\xC2\xB0"),
         {BlockRecord("\xB0")}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const std::string path = directory.File(kConfigFileName);
        WriteBytes(path, row.bytes);
        EXPECT_EQ(Load(path), row.records);
    }
}

// Which files are converted, and to what, on each kind of ANSI code page.
TEST(ConfigFileTest, DecodesEachEncodingForTheSystemsCodePage) {
    const std::string malaga = "M\xC3\xA1laga";
    const std::string office = "\xFF\xFE\x1E\x04\x44\x04\x38\x04\x41\x04";  // UTF-16
    const struct {
        unsigned codePage;
        std::string bytes, text;
        TextEncoding encoding;
    } rows[] = {
        {1252, malaga, "M\xE1laga", TextEncoding::kUtf8},
        {1252, malaga + "\xC3", malaga + "\xC3", TextEncoding::kAnsi},
        {1252, "\xED\xA0\x80", "\xED\xA0\x80", TextEncoding::kAnsi},  // a surrogate
        {1252, office, "????", TextEncoding::kUtf16Le},
        {932, malaga, malaga, TextEncoding::kAnsi},
        {kUtf8CodePage, malaga, malaga, TextEncoding::kAnsi},
        {kUtf8CodePage, "\xEF\xBB\xBF" + malaga, malaga, TextEncoding::kUtf8Marked},
        {kUtf8CodePage, office, "\xD0\x9E\xD1\x84\xD0\xB8\xD1\x81", TextEncoding::kUtf16Le},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.codePage) + ": " + row.bytes);
        std::string text = row.bytes;
        EXPECT_EQ(DecodeFileText(text, row.codePage), row.encoding);
        EXPECT_EQ(text, row.text);
    }
}

TEST(ConfigFileTest, AFileThatCannotBeLoadedIsReportedAndLeavesTheListAlone) {
    struct Row {
        const char* what;
        bool present;
        std::string bytes;
    };
    const Row rows[] = {
        {"a missing file", false, ""},
        {"a file larger than the limit", true, OverTheSizeLimit(Block("A"))},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const std::string path = directory.File(kConfigFileName);
        if (row.present) WriteBytes(path, row.bytes);
        ConfigurationList list = ListOf({kOficina});
        ScriptedPrompts prompts;
        ConfigFileSession session;

        EXPECT_FALSE(LoadConfigurations(path.c_str(), list, prompts, session));

        EXPECT_EQ(TextsOf(list), std::vector<RecordTexts>{kOficina});
        ASSERT_EQ(prompts.errors.size(), 1u);
        EXPECT_EQ(prompts.errors[0].text, "Error opening config file " + path);
        EXPECT_EQ(prompts.errors[0].title, "Error");
        // Only a missing file has nothing to keep.
        EXPECT_EQ(session.unkept == nullptr, !row.present);
    }
}

// The system's own file calls, except that the one-step replace can be
// missing, as on the "98" family, chosen calls fail, and the process can be
// cut off before any call.
struct Cut {};
class ActedFileCalls : public FileCalls {
public:
    bool oneStepReplace = true;
    std::vector<std::pair<std::string, std::string>> failingMoves;  // file names: from, to
    std::vector<std::string> unopenable, failingCreates;            // file names
    std::vector<std::string> unwritable;  // created, then every write fails (a full disk)
    int callsBeforeCut = -1;              // -1: never cut off
    bool written = false;                 // the temporary file's text was all handed over
    bool movedAside = false;              // the old file took the name Nicset.conf.old
    bool replaced = false;                // the new file took the name Nicset.conf

    std::FILE* OpenForReading(const char* path, bool& absent) override {
        Step();
        if (Among(unopenable, NameOf(path))) return absent = false, nullptr;
        return FileCalls::OpenForReading(path, absent);
    }
    std::FILE* CreateNew(const char* path) override {
        Step();
        if (Among(failingCreates, NameOf(path))) return nullptr;
        std::FILE* file = FileCalls::CreateNew(path);
        if (file && Among(unwritable, NameOf(path))) {
            std::fclose(file);
            file = std::fopen(path, "rb");
        }
        return file;
    }
    bool RemoveEntry(const char* path) override {
        Step();
        return FileCalls::RemoveEntry(path);
    }
    bool CommitToDisk(std::FILE* file) override {
        written = true;  // a cut here leaves the text written, uncommitted
        Step();
        return FileCalls::CommitToDisk(file);
    }
    ReplaceOutcome ReplaceAtomically(const char* source, const char* target) override {
        Step();
        if (!oneStepReplace) return ReplaceOutcome::kNotImplemented;
        const ReplaceOutcome outcome = FileCalls::ReplaceAtomically(source, target);
        replaced = replaced || outcome == ReplaceOutcome::kReplaced;
        return outcome;
    }
    bool Move(const char* source, const char* target) override {
        Step();
        const std::pair<std::string, std::string> move = {NameOf(source), NameOf(target)};
        if (std::find(failingMoves.begin(), failingMoves.end(), move) != failingMoves.end())
            return false;
        const bool moved = FileCalls::Move(source, target);
        movedAside = movedAside || (moved && move.first == kConfigFileName &&
                                    move.second == kConfigFileName + ".old"s);
        replaced = replaced || (moved && move.first == kConfigFileName + ".tmp"s &&
                                move.second == kConfigFileName);
        return moved;
    }

private:
    void Step() {
        if (callsBeforeCut == 0) throw Cut{};
        if (callsBeforeCut > 0) --callsBeforeCut;
    }
    static bool Among(const std::vector<std::string>& names, const std::string& name) {
        return std::find(names.begin(), names.end(), name) != names.end();
    }
    static std::string NameOf(const char* path) {
        return std::filesystem::path(path).filename().string();
    }
};

// Every file left in the folder, by name, with its bytes.
std::vector<std::pair<std::string, std::string>> FilesIn(const ScratchDirectory& directory) {
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string& name : directory.Names()) {
        files.emplace_back(name, ReadBytes(directory.File(name.c_str())));
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A session that did not load the file whole replaces it only once a copy of
// what was there is complete on disk, never over an older copy; each save
// tries the copy anew. Memory runs out where an allocation limit says.
TEST(ConfigFileTest, APartialSessionReplacesTheFileOnlyOnceItIsCopied) {
    std::string original = kBanner;
    for (int i = 0; i < 1000; ++i)
        original += Block("R" + std::to_string(i));
    const std::string conf = kConfigFileName, aside = conf + ".old";
    struct Row {
        const char* what;
        std::size_t largestAllocation;
        std::string found;  // the name the file is found under
        ActedFileCalls calls;
    };
    Row rows[] = {
        {"the list took only some configurations", 256 << 10, conf, {}},
        {"memory ran out before the first configuration", 4 << 10, conf, {}},
        {"the file could not be opened", SIZE_MAX, conf, {}},
        {"a save cut off left it aside, and it could not be put back", SIZE_MAX, aside, {}},
    };
    rows[2].calls.unopenable = {conf};
    rows[3].calls.failingMoves = {{aside, conf}};
    for (Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const std::string path = directory.File(kConfigFileName);
        WriteBytes(directory.File(row.found.c_str()), original);
        WriteBytes(path + ".bak", "an older copy");
        ConfigurationList list;
        ScriptedPrompts prompts;
        ConfigFileSession session;
        {
            AllocationLimit limit(row.largestAllocation);
            EXPECT_FALSE(LoadConfigurations(path.c_str(), list, prompts, session, row.calls));
        }
        EXPECT_LT(list.Size(), row.found == conf ? 1000u : 1001u);
        row.calls.unopenable.clear();

        // The copy cannot be made: nothing is replaced, nothing deleted.
        const auto before = FilesIn(directory);
        row.calls.failingCreates = {"Nicset.conf.bak2"};
        EXPECT_FALSE(SaveConfigurations(path.c_str(), list, prompts, session, row.calls));
        EXPECT_EQ(FilesIn(directory), before);

        row.calls.failingCreates.clear();
        EXPECT_TRUE(SaveConfigurations(path.c_str(), list, prompts, session, row.calls));
        EXPECT_TRUE(SaveConfigurations(path.c_str(), list, prompts, session, row.calls));
        EXPECT_EQ(ReadBytes(path + ".bak2"), original);
        EXPECT_EQ(ReadBytes(path + ".bak"), "an older copy");
        EXPECT_FALSE(std::filesystem::exists(path + ".bak3"));
        EXPECT_EQ(Load(path), TextsOf(list));
        const std::vector<std::string> errors = {"Error opening config file " + path,
                                                 "Error writing config file " + path};
        ASSERT_EQ(prompts.errors.size(), 2u);
        EXPECT_EQ(prompts.errors[0].text, errors[0]);
        EXPECT_EQ(prompts.errors[1].text, errors[1]);
    }
}

// A file that yields no configuration but holds something, or one read
// through a conversion, is kept unchanged beside the new one, never over an
// older copy; Nicset's own banner alone is simply replaced. No more of the
// old file is held than a load reads.
TEST(ConfigFileTest, ASaveKeepsAFileItCouldNotReadAsBak) {
    const std::string junk("\x00\x9c\xff\xfe junk \x01\r\n\x7f"s);
    struct Row {
        const char* what;
        std::string original;
        bool kept;
    };
    const Row rows[] = {
        {"binary junk", junk, true},
        {"text without a key", "Office: 10.0.0.1\r\n", true},
        {"a block without its last line", "Nombre: A\r\nDireccion IP: 10.0.0.1\r\n", true},
        {"UTF-16 holding no block", Utf16("notes\r\n", false), true},
        {"the banner with something more", kBanner + "x\r\n", true},
        {"the banner alone", kBanner, false},
        {"the banner with bare LF and blank lines", "\n  \t\n" + kBanner + "\n\n", false},
        {"an empty file", "", false},
        {"configurations among junk", junk + "\n" + Block("A") + junk, false},
        {"configurations in UTF-16", Utf16(Block("A"), true), true},
        {"configurations in UTF-8 with its mark", "\xEF\xBB\xBF" + Block("A"), true},
        {"configurations in a file too large to load", OverTheSizeLimit(Block("A")), true},
        {"junk in a file too large to load", OverTheSizeLimit("junk"), true},
        // Judged past the first piece a save reads of the old file.
        {"configurations after 100 KB of junk", std::string(100 << 10, 'j') + Block("A"), false},
        {"100 KB of junk after configurations", Block("A") + std::string(100 << 10, 'j'), false},
        {"100 KB of junk alone", std::string(100 << 10, 'j'), true},
        {"configurations, and UTF-8 without a mark 100 KB on",
         Block("A") + std::string(100 << 10, ' ') + Block("M\xC3\xA1laga"), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const std::string path = directory.File(kConfigFileName);
        WriteBytes(path, row.original);
        WriteBytes(path + ".bak", "an older copy");
        ScriptedPrompts prompts;

        {
            AllocationLimit limit(16 << 20);
            EXPECT_TRUE(Save(path, ListOf({kOficina}), prompts));
        }

        EXPECT_TRUE(prompts.errors.empty());
        EXPECT_EQ(ReadBytes(path), kBanner + kOficinaBlock);
        EXPECT_EQ(ReadBytes(path + ".bak"), "an older copy");
        EXPECT_EQ(ReadBytes(path + ".bak2"), row.kept ? row.original : "");
        // A second save finds Nicset's own file and makes no other copy.
        EXPECT_TRUE(Save(path, ListOf({}), prompts));
        EXPECT_EQ(directory.Names().size(), row.kept ? 3u : 2u);
    }
}

// The first bytes of a file settle that it holds a configuration only when
// nothing after them could change the tokens read up to the block's end.
TEST(ConfigFileTest, AFileIsJudgedByItsFirstBytesOnlyWhenTheyEndTheBlock) {
    const struct {
        const char* what;
        std::string start;
        bool settled;
    } rows[] = {
        {"a whole block and more", Block("A") + "x", true},
        {"the last key and its value, a line end and more", "2- Sevidor DNS: 8.8.8.8\nx", true},
        {"the last key on its own line, its value on the next", "2- Sevidor DNS\r\nx\r\ny", true},
        {"the value cut by the end", "2- Sevidor DNS: 8.8.8.8", false},
        {"a CR at the end, its LF perhaps next", "2- Sevidor DNS: 8.8.8.8\r", false},
        {"the key cut by the end", "2- Sevidor DNS", false},
        {"a key that goes on", "2- Sevidor DNS2: x\r\nx", false},
        {"no block", "Nombre: A\r\nx", false},
        {"nothing", "", false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(StartsWithConfiguration(row.start), row.settled);
    }
}

// A save that cannot complete leaves the old file and no temporary file.
TEST(ConfigFileTest, AFailedSaveLeavesTheOldFileAndTellsTheUser) {
    enum class Obstacle { FolderMissing, FolderAsFile };
    struct Row {
        const char* what;
        Obstacle obstacle;
        const char* error;
    };
    const Row rows[] = {
        {"folder missing: the temporary file cannot be created", Obstacle::FolderMissing,
         "Error opening config file "},
        {"a folder in the file's place: the replacement fails", Obstacle::FolderAsFile,
         "Error writing config file "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const bool folderMissing = row.obstacle == Obstacle::FolderMissing;
        const std::string path =
            folderMissing ? directory.File("missing/Nicset.conf") : directory.File(kConfigFileName);
        if (row.obstacle == Obstacle::FolderAsFile) std::filesystem::create_directory(path);
        ScriptedPrompts prompts;

        EXPECT_FALSE(Save(path, ListOf({kOficina}), prompts));

        ASSERT_EQ(prompts.errors.size(), 1u);
        EXPECT_EQ(prompts.errors[0].text, row.error + path);
        EXPECT_EQ(prompts.errors[0].title, "Error");
        std::vector<std::string> left;
        if (!folderMissing) left.push_back(kConfigFileName);
        std::vector<std::string> names = directory.Names();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, left);
        EXPECT_EQ(std::filesystem::is_directory(path), row.obstacle == Obstacle::FolderAsFile);
    }
}

// Whatever holds the names a save uses, and whatever the system lacks, the
// save ends with one whole file under a name the user can find, and writes
// nothing else.
TEST(ConfigFileTest, ASaveLeavesOneWholeFileWhateverIsInTheWay) {
    enum Planted {
        kNothing,
        kLeftoverTemporary,
        kLinkedTemporary,
        kLinkedBackup,
        kLeftoverAside,
        kUnopenable,
        kUncopiable,
        kFailingCopy
    };
    const std::string conf = kConfigFileName, temporary = conf + ".tmp", aside = conf + ".old";
    const std::string oldBytes = kBanner, newBytes = kBanner + kOficinaBlock;
    struct Row {
        const char* what;
        bool oldFile;
        Planted planted;
        bool oneStepReplace;
        std::vector<std::pair<std::string, std::string>> failingMoves;
        bool saved;
        std::vector<std::pair<std::string, std::string>> left;
        std::vector<std::pair<std::string, std::string>> files = {};  // there before the save
    };
    // clang-format off
    const Row rows[] = {
        {"a temporary file left over",
         true, kLeftoverTemporary, true, {}, true, {{conf, newBytes}}},
        {"a temporary file left over with a configuration becomes the next copy",
         true, kNothing, true, {}, true, {{conf, newBytes}, {conf + ".bak", newBytes}},
         {{temporary, newBytes}}},
        {"the temporary name links to another file, which stays as it was",
         true, kLinkedTemporary, true, {}, true, {{conf, newBytes}, {"other", "other"}}},
        {"the copy's name links to another file: the copy takes the next name",
         true, kLinkedBackup, true, {}, true,
         {{conf, newBytes}, {conf + ".bak", "other"}, {conf + ".bak2", "junk"}, {"other", "other"}}},
        {"the old file is there but cannot be opened",
         true, kUnopenable, true, {}, false, {{conf, oldBytes}}},
        {"an unreadable file whose copy cannot be made",
         true, kUncopiable, true, {}, false, {{conf, "junk"}}},
        {"a copy that fails is removed",
         true, kFailingCopy, true, {}, false, {{conf, "junk"}}, {{conf, "junk"}}},
        {"a gap below the highest copy",
         true, kNothing, true, {}, true,
         {{conf, newBytes}, {conf + ".bak05", "x"}, {conf + ".bak2", "old"}, {conf + ".bak3", "junk"}},
         {{conf, "junk"}, {conf + ".bak05", "x"}, {conf + ".bak2", "old"}}},
        {"a stray .bak9999",
         true, kNothing, true, {}, true,
         {{conf, newBytes}, {conf + ".bak10000", "junk"}, {conf + ".bak9999", "stray"}},
         {{conf, "junk"}, {conf + ".bak9999", "stray"}}},
        {"no one-step replace: old file moved aside, new one in, old one deleted",
         true, kNothing, false, {}, true, {{conf, newBytes}}},
        {"no one-step replace, no old file",
         false, kNothing, false, {}, true, {{conf, newBytes}}},
        {"no one-step replace, an aside file left by a save cut off halfway",
         true, kLeftoverAside, false, {}, true, {{conf, newBytes}}},
        {"no one-step replace, the old file cannot be moved aside",
         true, kNothing, false, {{conf, aside}}, false, {{conf, oldBytes}}},
        {"no one-step replace, the new file cannot move in: the old one goes back",
         true, kNothing, false, {{temporary, conf}}, false, {{conf, oldBytes}}},
        {"no one-step replace, nothing can move in: the old file stays aside",
         true, kNothing, false, {{temporary, conf}, {aside, conf}}, false, {{aside, oldBytes}}},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const std::string path = directory.File(kConfigFileName);
        if (row.oldFile) WriteBytes(path, oldBytes);
        if (row.planted == kLeftoverTemporary) WriteBytes(directory.File(temporary.c_str()), "tmp");
        if (row.planted == kLeftoverAside) WriteBytes(directory.File(aside.c_str()), "aside");
        if (row.planted == kLinkedTemporary || row.planted == kLinkedBackup) {
            const std::string name = row.planted == kLinkedTemporary ? temporary : conf + ".bak";
            WriteBytes(directory.File("other"), "other");
            ASSERT_TRUE(PlantLink(directory.File("other"), directory.File(name.c_str())));
        }
        if (row.planted == kLinkedBackup || row.planted == kUncopiable) WriteBytes(path, "junk");
        for (const auto& file : row.files)
            WriteBytes(directory.File(file.first.c_str()), file.second);
        ActedFileCalls calls;
        if (row.planted == kUnopenable) calls.unopenable = {conf};
        if (row.planted == kUncopiable) calls.failingCreates = {conf + ".bak"};
        if (row.planted == kFailingCopy) calls.unwritable = {conf + ".bak"};
        calls.oneStepReplace = row.oneStepReplace;
        calls.failingMoves = row.failingMoves;
        ScriptedPrompts prompts;

        ConfigFileSession session;
        EXPECT_EQ(SaveConfigurations(path.c_str(), ListOf({kOficina}), prompts, session, calls),
                  row.saved);

        ASSERT_EQ(prompts.errors.size(), row.saved ? 0u : 1u);
        if (!row.saved) {
            EXPECT_EQ(prompts.errors[0].text, "Error writing config file " + path);
        }
        EXPECT_EQ(FilesIn(directory), row.left);
    }
}

// The configurations of the highest numbered copy of `path`; none without one.
std::vector<RecordTexts> InHighestCopy(const std::string& path) {
    const auto copy = [&path](int n) { return path + ".bak" + (n > 1 ? std::to_string(n) : ""); };
    int highest = 0;
    while (std::filesystem::exists(copy(highest + 1)))
        ++highest;
    ConfigurationList list;
    if (highest > 0) ReadConfigFile(copy(highest).c_str(), list);
    return TextsOf(list);
}

// A save cut off before any of its file calls, on either family and for a
// first save, loses nothing: the next session finds the old configurations,
// or the new ones once the old file was moved aside or the first save's new
// file is complete; the others are in the highest numbered copy. Its two
// saves at closing keep what it found in Nicset.conf.
TEST(ConfigFileTest, ASaveCutOffAtAnyStepLeavesTheConfigurationsForTheNextSession) {
    const std::vector<RecordTexts> oldRecords = {BlockRecord("Old")};
    const std::vector<RecordTexts> newRecords = {BlockRecord("Old"), BlockRecord("New")};
    for (const bool oneStepReplace : {true, false}) {
        for (const bool firstSave : {false, true}) {
            for (int cut = 0;; ++cut) {
                SCOPED_TRACE(std::string(oneStepReplace ? "NT" : "98") +
                             (firstSave ? ", first save" : "") + ", cut before call " +
                             std::to_string(cut));
                ScratchDirectory directory;
                const std::string path = directory.File(kConfigFileName);
                if (!firstSave) WriteBytes(path, kBanner + Block("Old"));
                ActedFileCalls calls;
                calls.oneStepReplace = oneStepReplace;
                calls.callsBeforeCut = cut;
                ScriptedPrompts prompts;
                ConfigFileSession session;
                bool cutOff = false;
                try {
                    SaveConfigurations(path.c_str(), ListOf(newRecords), prompts, session, calls);
                } catch (const Cut&) {
                    cutOff = true;
                }
                const bool aside = calls.movedAside && !calls.replaced;
                const bool newFound = calls.replaced || aside || (firstSave && calls.written);
                const bool bothLeft = !firstSave && calls.written && !calls.replaced;

                ActedFileCalls next;
                next.oneStepReplace = oneStepReplace;
                ConfigurationList loaded;
                ConfigFileSession nextSession;
                LoadConfigurations(path.c_str(), loaded, prompts, nextSession, next);
                EXPECT_EQ(TextsOf(loaded), newFound    ? newRecords
                                           : firstSave ? std::vector<RecordTexts>{}
                                                       : oldRecords);
                EXPECT_TRUE(SaveConfigurations(path.c_str(), loaded, prompts, nextSession, next));
                EXPECT_TRUE(SaveConfigurations(path.c_str(), loaded, prompts, nextSession, next));
                EXPECT_EQ(Load(path), TextsOf(loaded));
                EXPECT_EQ(InHighestCopy(path), !bothLeft ? std::vector<RecordTexts>{}
                                               : aside   ? oldRecords
                                                         : newRecords);
                if (!cutOff) break;
            }
        }
    }
}

}  // namespace
