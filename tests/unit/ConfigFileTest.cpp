#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "ConfigTestSupport.h"
#include "config/ConfigFile.h"
#include "config/FileReplace.h"

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
    EXPECT_TRUE(LoadConfigurations(path.c_str(), list, prompts));
    EXPECT_TRUE(prompts.errors.empty());
    return TextsOf(list);
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

        EXPECT_TRUE(SaveConfigurations(path.c_str(), ListOf(row.records), prompts));
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

    ASSERT_TRUE(SaveConfigurations(path.c_str(), list, prompts));
    const std::string first = ReadBytes(path);
    ASSERT_TRUE(SaveConfigurations(path.c_str(), list, prompts));  // replaces an existing file
    EXPECT_EQ(ReadBytes(path), first);
    EXPECT_EQ(Load(path), records);

    // Loading appends to what the list already holds.
    ConfigurationList loaded = ListOf({kOficina});
    EXPECT_TRUE(LoadConfigurations(path.c_str(), loaded, prompts));
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
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const std::string path = directory.File(kConfigFileName);
        WriteBytes(path, row.bytes);
        EXPECT_EQ(Load(path), row.records);
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

        EXPECT_FALSE(LoadConfigurations(path.c_str(), list, prompts));

        EXPECT_EQ(TextsOf(list), std::vector<RecordTexts>{kOficina});
        ASSERT_EQ(prompts.errors.size(), 1u);
        EXPECT_EQ(prompts.errors[0].text, "Error opening config file " + path);
        EXPECT_EQ(prompts.errors[0].title, "Error");
    }
}

// A file holding more configurations than the list can take (memory ran out;
// here the list refuses them while a question is open) is kept whole as .bak
// before the save at closing replaces it with what the list holds.
TEST(ConfigFileTest, ALoadThatCannotKeepEveryConfigurationKeepsTheFileAsBak) {
    ScratchDirectory directory;
    const std::string path = directory.File(kConfigFileName);
    const std::string original = kBanner + Block("A") + Block("B");
    WriteBytes(path, original);
    WriteBytes(path + ".bak", "an older copy");
    ConfigurationList list = ListOf({kOficina});
    ScriptedPrompts prompts;
    prompts.answers = {false};
    prompts.whileAsking = [&] { EXPECT_FALSE(LoadConfigurations(path.c_str(), list, prompts)); };
    EXPECT_FALSE(AddConfiguration(list, MakeRecord(kOficina), prompts));

    EXPECT_EQ(TextsOf(list), std::vector<RecordTexts>{kOficina});
    ASSERT_EQ(prompts.errors.size(), 1u);
    EXPECT_EQ(prompts.errors[0].text, "Error opening config file " + path);
    EXPECT_EQ(ReadBytes(path + ".bak"), original);
    EXPECT_TRUE(SaveConfigurations(path.c_str(), list, prompts));
    EXPECT_EQ(ReadBytes(path), kBanner + kOficinaBlock);
    EXPECT_EQ(ReadBytes(path + ".bak"), original);
}

// A file that yields no configuration but holds something is kept, unchanged,
// beside the new one; Nicset's own banner alone is simply replaced.
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
        {"configurations in UTF-16", Utf16(Block("A"), true), false},
        {"configurations in a file too large to load", OverTheSizeLimit(Block("A")), true},
        // Judged past the first piece a save reads of the old file.
        {"configurations after 100 KB of junk", std::string(100 << 10, 'j') + Block("A"), false},
        {"100 KB of junk after configurations", Block("A") + std::string(100 << 10, 'j'), false},
        {"100 KB of junk alone", std::string(100 << 10, 'j'), true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const std::string path = directory.File(kConfigFileName);
        const std::string backup = path + ".bak";
        WriteBytes(path, row.original);
        WriteBytes(backup, "an older copy");
        ScriptedPrompts prompts;

        EXPECT_TRUE(SaveConfigurations(path.c_str(), ListOf({kOficina}), prompts));

        EXPECT_TRUE(prompts.errors.empty());
        EXPECT_EQ(ReadBytes(path), kBanner + kOficinaBlock);
        EXPECT_EQ(ReadBytes(backup), row.kept ? row.original : "an older copy");
        // A second save finds Nicset's own file and keeps the copy as it is.
        EXPECT_TRUE(SaveConfigurations(path.c_str(), ListOf({}), prompts));
        EXPECT_EQ(ReadBytes(backup), row.kept ? row.original : "an older copy");
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
    enum class Obstacle { FolderMissing, FolderAsFile, FolderAsBackup };
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
        {"an unreadable file whose copy cannot be made", Obstacle::FolderAsBackup,
         "Error writing config file "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        ScratchDirectory directory;
        const bool folderMissing = row.obstacle == Obstacle::FolderMissing;
        const std::string path =
            folderMissing ? directory.File("missing/Nicset.conf") : directory.File(kConfigFileName);
        if (row.obstacle == Obstacle::FolderAsFile) std::filesystem::create_directory(path);
        if (row.obstacle == Obstacle::FolderAsBackup) {
            WriteBytes(path, "junk");
            std::filesystem::create_directory(path + ".bak");
        }
        ScriptedPrompts prompts;

        EXPECT_FALSE(SaveConfigurations(path.c_str(), ListOf({kOficina}), prompts));

        ASSERT_EQ(prompts.errors.size(), 1u);
        EXPECT_EQ(prompts.errors[0].text, row.error + path);
        EXPECT_EQ(prompts.errors[0].title, "Error");
        std::vector<std::string> left;
        if (!folderMissing) left.push_back(kConfigFileName);
        if (row.obstacle == Obstacle::FolderAsBackup) left.push_back("Nicset.conf.bak");
        std::vector<std::string> names = directory.Names();
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, left);
        EXPECT_EQ(std::filesystem::is_directory(path), row.obstacle == Obstacle::FolderAsFile);
        if (row.obstacle == Obstacle::FolderAsBackup) {
            EXPECT_EQ(ReadBytes(path), "junk");
        }
    }
}

// The system's own file calls, except that the one-step replace can be
// missing, as on the "98" family, and chosen moves fail.
class ActedFileCalls : public FileCalls {
public:
    bool oneStepReplace = true;
    std::vector<std::pair<std::string, std::string>> failingMoves;  // file names: from, to

    ReplaceOutcome ReplaceAtomically(const char* source, const char* target) override {
        if (!oneStepReplace) return ReplaceOutcome::kNotImplemented;
        return FileCalls::ReplaceAtomically(source, target);
    }
    bool Move(const char* source, const char* target) override {
        const std::pair<std::string, std::string> move = {NameOf(source), NameOf(target)};
        if (std::find(failingMoves.begin(), failingMoves.end(), move) != failingMoves.end())
            return false;
        return FileCalls::Move(source, target);
    }

private:
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

// Whatever holds the names a save uses, and whatever the system lacks, the
// save ends with one whole file under a name the user can find, and writes
// nothing else.
TEST(ConfigFileTest, ASaveLeavesOneWholeFileWhateverIsInTheWay) {
    enum Planted { kNothing, kLeftoverTemporary, kLinkedTemporary, kLinkedBackup, kLeftoverAside };
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
    };
    // clang-format off
    const Row rows[] = {
        {"a temporary file left over",
         true, kLeftoverTemporary, true, {}, true, {{conf, newBytes}}},
        {"the temporary name links to another file, which stays as it was",
         true, kLinkedTemporary, true, {}, true, {{conf, newBytes}, {"other", "other"}}},
        {"the copy of an unreadable file links to another file, which stays as it was",
         true, kLinkedBackup, true, {}, true,
         {{conf, newBytes}, {conf + ".bak", "junk"}, {"other", "other"}}},
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
        if (row.planted == kLinkedBackup) WriteBytes(path, "junk");
        ActedFileCalls calls;
        calls.oneStepReplace = row.oneStepReplace;
        calls.failingMoves = row.failingMoves;
        ScriptedPrompts prompts;

        EXPECT_EQ(SaveConfigurations(path.c_str(), ListOf({kOficina}), prompts, calls), row.saved);

        ASSERT_EQ(prompts.errors.size(), row.saved ? 0u : 1u);
        if (!row.saved) {
            EXPECT_EQ(prompts.errors[0].text, "Error writing config file " + path);
        }
        EXPECT_EQ(FilesIn(directory), row.left);
    }
}

}  // namespace
