// Every store file as the collection meets it: what a load keeps, the bytes the next save writes, and where a
// damaged file stops the reading and why. Then the rules every keyed store shares.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "TestDoubles.h"
#include "model/Collection.h"

namespace cl {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;
using enum StoreFile;

std::string X(std::size_t n, char c = 'x') {
    return std::string(n, c);
}

std::string Lines(const Strings& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

struct FileCase {
    std::string name;
    StoreFile store;
    std::string bytes;  // the file as found
    std::string saved;  // what the next save writes
    std::size_t records;
    std::string damage;   // "line: what", empty when the file was read to its last byte
    bool backup = false;  // read as the ".bak" file, as Load Backup does
};

const std::string kExample =
    "CineLedger v3.15\r\nAlien|Default|Horror|Present|DVD|1\r\nMatrix, The|Mike|Action|Absent|DivX|2\r\n"
    "end|nolockx\r\nGladiator|@|Video Store\r\nend|\r\n3\r\nend";
const std::string kHead = "CineLedger v3.15\r\nAlien|D|H|Present|DVD|1\r\n";
const std::string kTail = "end|pw\r\nend|\r\nend";
const std::string kKept = kHead + "end|nolockx\r\nend|\r\nend";  // stopped before the password
const std::string kKeptPw = kHead + kTail;                       // stopped after it
const std::string kAlienHistory = "Alien\r\n2003/1/5\r\n2\r\n2003/2/1: loaned to Mike.\r\nend\r\n";
const Strings kHeat = {"CineLedger: Heat", "7",         "Heat",    "1995",   "Michael Mann", "A crime saga", "A plot.",
                       "Crime, Drama",     "Al Pacino", "English", "170 min"};

std::string MediaRecordLines(const std::string& title, const std::string& codec) {
    return Lines({title, "MPEG-4", "2", "640", "272", "118 min.", "23.976 fps", "780 kbit/s", codec, "128 kbit/s",
                  "MPEG-1 Layer 3", "2", "48000 Hz"});
}

std::string With(Strings lines, std::size_t index, std::string value) {
    lines[index] = std::move(value);
    return Lines(lines);
}

std::vector<FileCase> Cases() {
    const std::string heat = Lines(kHeat);
    Strings alienLines = kHeat;
    alienLines[0] = "CineLedger: Alien";
    alienLines[2] = "Alien";
    const std::string alien = Lines(alienLines);
    std::vector<FileCase> cases = {
        // "CineLedger.dat"
        {"MainExample", MainList, kExample, kExample, 3, ""},
        {"MainAtLimits", MainList,
         "CineLedger v" + X(97) + "\r\n" + X(109) + "|" + X(30) + "|" + X(29) + "|" + X(9) + "|" + X(30) +
             "|123456789\r\nend|" + X(9) + "\r\n" + X(109, 'u') + "|" + X(29) + "|" + X(30) + "\r\nend|" + X(109) +
             "\r\n987654321\r\nend",
         "CineLedger v3.15\r\n" + X(109) + "|" + X(30) + "|" + X(29) + "|" + X(9) + "|" + X(30) + "|123456789\r\nend|" +
             X(9) + "\r\n" + X(109, 'u') + "|" + X(29) + "|" + X(30) + "\r\nend|\r\n987654321\r\nend",
         2, ""},
        {"MainByteOrderMarkSkipped", MainList, "\xEF\xBB\xBF" + kExample, kExample, 3, ""},
        {"MainVersionPrefixSelectsTheLayout", MainList, "CineLedger v9.99 beta\r\nA|D|H|Present|DVD|one\r\n" + kTail,
         "CineLedger v3.15\r\nA|D|H|Present|DVD|0\r\n" + kTail, 1, ""},
        {"MainOlderLayoutSavedInTheCurrentOne", MainList, "Alien|Default|Horror|Present|1\r\nend|\r\nend|\r\nend",
         "CineLedger v3.15\r\nAlien|Default|Horror|Present|Unknown|1\r\nend|\r\nend|\r\nend", 1, ""},
        {"MainLaterSameTitleDropped", MainList,
         kHead + "alien|B|H|Present|DVD|2\r\nend|\r\nHeat|@|x\r\nHEAT|@|y\r\nend|\r\n9\r\n3\r\n9\r\nend",
         kHead + "end|\r\nHeat|@|x\r\nend|\r\n3\r\n9\r\nend", 2, ""},
        {"MainLfLineEnds", MainList, "CineLedger v3.15\nA|D|H|Present|DVD|1\nend|pw\nG|@|S\nend|\n3\nend\n",
         "CineLedger v3.15\r\nA|D|H|Present|DVD|1\r\nend|pw\r\nG|@|S\r\nend|\r\n3\r\nend", 2, ""},
        {"MainVersionOver109", MainList, "CineLedger v" + X(98) + "\r\n" + kTail,
         "CineLedger v3.15\r\nend|nolockx\r\nend|\r\nend", 0, "1: version line longer than 109 characters"},
        {"MainTitleOver109", MainList, kHead + X(110) + "|D|H|Present|DVD|2\r\n" + kTail, kKept, 1,
         "3: title longer than 109 characters"},
        {"MainLocationOver30", MainList, kHead + "B|" + X(31) + "|H|Present|DVD|2\r\n" + kTail, kKept, 1,
         "3: location longer than 30 characters"},
        {"MainCategoryOver29", MainList, kHead + "B|D|" + X(30) + "|Present|DVD|2\r\n" + kTail, kKept, 1,
         "3: category longer than 29 characters"},
        {"MainPresenceOver9", MainList, kHead + "B|D|H|" + X(10) + "|DVD|2\r\n" + kTail, kKept, 1,
         "3: presence longer than 9 characters"},
        {"MainMediumOver30", MainList, kHead + "B|D|H|Present|" + X(31) + "|2\r\n" + kTail, kKept, 1,
         "3: medium longer than 30 characters"},
        {"MainNumberOver9", MainList, kHead + "B|D|H|Present|DVD|1234567890\r\n" + kTail, kKept, 1,
         "3: number longer than 9 characters"},
        {"MainPasswordOver9", MainList, kHead + "end|" + X(10) + "\r\nend|\r\nend", kKept, 1,
         "3: password longer than 9 characters"},
        {"UpcomingCategoryOver29", MainList, kHead + "end|pw\r\nG|" + X(30) + "|S\r\nend|\r\nend", kKeptPw, 1,
         "4: category longer than 29 characters"},
        {"UpcomingLocationOver30", MainList, kHead + "end|pw\r\nG|@|S\r\nH|@|" + X(31) + "\r\nend|\r\nend",
         kHead + "end|pw\r\nG|@|S\r\nend|\r\nend", 2, "5: location longer than 30 characters"},
        {"UpcomingEndOver109", MainList, kHead + "end|pw\r\nend|" + X(110) + "\r\nend", kKeptPw, 1,
         "4: upcoming end line longer than 109 characters"},
        {"FreeNumberOver9", MainList, kHead + "end|pw\r\nend|\r\n" + X(10, '1') + "\r\nend", kKeptPw, 1,
         "5: free number longer than 9 characters"},
        {"MainBarMissing", MainList, kHead + "B|D|H|Present\r\nC|D|H|Present|DVD|3\r\n" + kTail, kKept, 1,
         "3: line ends where a bar should follow the presence"},
        {"MainEndWithoutBar", MainList, kHead + "end\r\nend|\r\nend", kKept, 1,
         "3: line ends where a bar should follow the title"},
        {"UpcomingBarMissing", MainList, kHead + "end|pw\r\nGladiator\r\nend|\r\nend", kKeptPw, 1,
         "4: line ends where a bar should follow the title"},
        {"MainCutInNumber", MainList, kHead + "B|D|H|Present|DVD|2", kKept, 1, "3: file ends inside the number"},
        {"FreeNumberCut", MainList, kHead + "end|pw\r\nend|\r\n3", kKeptPw, 1, "5: file ends inside the free number"},
        {"MainTextAfterEnd", MainList, kHead + kTail + "\r\nmore", kKeptPw, 1,
         "5: the final \"end\" ends the records, but more text follows it"},
        // "Comments.dat": a title line and a comment line per record.
        {"CommentsEmpty", Comments, "", "", 0, ""},
        {"CommentsLineEnds", Comments, "Alien\na\r\nHeat\r\nhal", "Alien\r\na\r\nHeat\r\nhal\r\n", 2, ""},
        {"CommentsTitleLast", Comments, "Alien\r\n\r\nHeat", "Alien\r\n\r\nHeat\r\n\r\n", 2, ""},
        {"CommentsDuplicate", Comments, "Alien\r\na\r\nHeat\r\nh\r\nAlien\r\nb\r\n", "Alien\r\nb\r\nHeat\r\nh\r\n", 3,
         ""},
        {"CommentsBlanksAfterEmptyTitle", Comments, "Alien\r\na\r\n\r\n \r\n", "Alien\r\na\r\n", 1, ""},
        {"CommentsTextAfterEmptyTitle", Comments, "Alien\r\na\r\n\r\nHeat\r\nh\r\n", "Alien\r\na\r\n", 1,
         "3: an empty title line ends the records, but more text follows it"},
        {"CommentsAtLimits", Comments, X(109) + "\r\n" + X(509) + "\r\n", X(109) + "\r\n" + X(509) + "\r\n", 1, ""},
        {"CommentsTitleOver109", Comments, "Alien\r\na\r\n" + X(110) + "\r\nc\r\n", "Alien\r\na\r\n", 1,
         "3: title longer than 109 characters"},
        {"CommentOver509", Comments, "Alien\r\na\r\nHeat\r\n" + X(510) + "\r\nUp\r\nu\r\n", "Alien\r\na\r\n", 1,
         "4: comment longer than 509 characters"},
        // "History.dat": title, date, views, loan lines up to "end".
        {"HistoryEmpty", History, "", "", 0, ""},
        {"HistoryRecords", History, kAlienHistory + "Heat\r\n2003/1/6\r\n0\r\nEnd\r\nend",
         kAlienHistory + "Heat\r\n2003/1/6\r\n0\r\nEnd\r\nend\r\n", 2, ""},
        {"HistoryCutInLoanLine", History, kAlienHistory + "Heat\r\n2003/1/6\r\n0\r\n2003/2/1: lo",
         kAlienHistory + "Heat\r\n2003/1/6\r\n0\r\n2003/2/1: lo\r\nend\r\n", 2, ""},
        {"HistoryCutAfterTitle", History, kAlienHistory + "Heat", kAlienHistory + "Heat\r\n\r\n\r\nend\r\n", 2, ""},
        {"HistoryDuplicate", History,
         kAlienHistory + "Heat\r\n2003/1/6\r\n0\r\nend\r\nAlien\r\n2009/9/9\r\n5\r\nAnn\r\nend\r\n",
         "Alien\r\n2009/9/9\r\n5\r\n2003/2/1: loaned to Mike.\r\nAnn\r\nend\r\nHeat\r\n2003/1/6\r\n0\r\nend\r\n", 3,
         ""},
        {"HistoryBlankAfterEmptyTitle", History, kAlienHistory + "\r\n", kAlienHistory, 1, ""},
        {"HistoryTextAfterEmptyTitle", History, kAlienHistory + "\r\nHeat\r\n2003/1/6\r\n0\r\nend\r\n", kAlienHistory,
         1, "6: an empty title line ends the records, but more text follows it"},
        {"HistoryAtLimits", History, Lines({X(109), X(19, '1'), "1234", X(99, 'l'), "end"}),
         Lines({X(109), X(19, '1'), "1234", X(99, 'l'), "end"}), 1, ""},
        {"HistoryTitleOver109", History, Lines({X(110), "2003/1/6", "0", "end"}), "", 0,
         "1: title longer than 109 characters"},
        {"HistoryDateOver19", History, kAlienHistory + Lines({"Heat", X(20, '1'), "0", "end"}), kAlienHistory, 1,
         "7: date of entry longer than 19 characters"},
        {"HistoryViewsOver4", History, kAlienHistory + Lines({"Heat", "2003/1/6", "12345", "end"}), kAlienHistory, 1,
         "8: number of views longer than 4 characters"},
        {"HistoryLoanLineOver99", History, Lines({"Heat", "2003/1/6", "0", "loan", X(100), "end", "Up"}),
         Lines({"Heat", "2003/1/6", "0", "loan", "end"}), 1, "5: loan line longer than 99 characters"},
        // "Quarantine.dat" and "Gimme.dat": a title per line up to "end"; the backup of the quarantine ends at
        // an end line in any case.
        {"QuarantineEmpty", Quarantine, "", "end", 0, ""},
        {"QuarantineOrderedWithoutDuplicates", Quarantine, "Heat\r\nAlien\r\nalien\r\nEnd\r\nend",
         "Alien\r\nEnd\r\nHeat\r\nend", 3, ""},
        {"QuarantineLastLineIsATitle", Quarantine, "\r\nHeat\r\nAli", "\r\nAli\r\nHeat\r\nend", 3, ""},
        {"QuarantineAtAndOverLimit", Quarantine, "Heat\r\n" + X(109) + "\r\n" + X(110) + "\r\nend",
         "Heat\r\n" + X(109) + "\r\nend", 2, "3: title longer than 109 characters"},
        {"QuarantineBackupEndsAtEND", Quarantine, "Heat\r\nEND", "Heat\r\nend", 1, "", true},
        {"QuarantineBackupTextAfterEnd", Quarantine, "Heat\r\nEnd\r\nAlien\r\nend", "Heat\r\nend", 1,
         "2: \"end\" ends the records, but more text follows it", true},
        {"GimmeOrderedFirstOfEqualKept", Gimme, "alien\r\nHeat\r\nAlien\r\nend\r\n", "alien\r\nHeat\r\nend", 2, ""},
        {"GimmeAtAndOverLimit", Gimme, "Heat\r\n" + X(109) + "\r\n" + X(110) + "\r\nend",
         "Heat\r\n" + X(109) + "\r\nend", 2, "3: title longer than 109 characters"},
        // "Media.dat": thirteen lines per record.
        {"MediaEmpty", Media, "", "", 0, ""},
        {"MediaDuplicateTakesTheLaterFieldsInTheFirstPlace", Media,
         MediaRecordLines("Alien", "a") + MediaRecordLines("Heat", "h") + MediaRecordLines("Alien", "b"),
         MediaRecordLines("Alien", "b") + MediaRecordLines("Heat", "h"), 3, ""},
        {"MediaCutRecordKept", Media, MediaRecordLines("Alien", "a") + "Heat\r\nMPEG-4\r\n2",
         MediaRecordLines("Alien", "a") + Lines({"Heat", "MPEG-4", "2", "", "", "", "", "", "", "", "", "", ""}), 2,
         ""},
        {"MediaTextAfterEmptyTitle", Media,
         MediaRecordLines("Alien", "a") + MediaRecordLines("", "b") + MediaRecordLines("Heat", "h"),
         MediaRecordLines("Alien", "a"), 1, "14: an empty title line ends the records, but more text follows it"},
        {"MediaAtLimits", Media,
         Lines({X(109), X(9), "1", "1234", "1234", X(9), X(14), X(14), X(29), X(14), X(29), X(9), X(9)}),
         Lines({X(109), X(9), "1", "1234", "1234", X(9), X(14), X(14), X(29), X(14), X(29), X(9), X(9)}), 1, ""},
        {"MediaTitleOver109", Media, MediaRecordLines("Alien", "a") + MediaRecordLines(X(110), "h"),
         MediaRecordLines("Alien", "a"), 1, "14: title longer than 109 characters"},
        // "IMDb.dat": eleven lines per record; a line over its limit is cut, the rest of its record left empty.
        {"ImdbEmpty", Imdb, "", "", 0, ""},
        {"ImdbDuplicateKeepsTheFirstPlace", Imdb, alien + heat + With(alienLines, 1, "8"),
         With(alienLines, 1, "8") + heat, 3, ""},
        {"ImdbCutRecordKept", Imdb, heat + "CineLedger: Alien\r\n7\r\nAlien",
         heat + Lines({"CineLedger: Alien", "7", "Alien", "", "", "", "", "", "", "", ""}), 2, ""},
        {"ImdbTextAfterEmptyKey", Imdb, heat + "\r\n" + alien, heat, 1,
         "12: an empty key line ends the records, but more text follows it"},
        {"ImdbAtLimits", Imdb,
         Lines({X(119), X(9), X(299), "1995", X(99), X(999), X(4999), X(255), X(29999), X(99), X(99)}),
         Lines({X(119), X(9), X(299), "1995", X(99), X(999), X(4999), X(255), X(29999), X(99), X(99)}), 1, ""},
        {"ImdbKeyOver119", Imdb, With(kHeat, 0, X(130)) + alien,
         Lines({X(119), "", "", "", "", "", "", "", "", "", ""}), 1, "1: key longer than 119 characters"},
    };
    // Every field of a media record over its limit: the record is not taken.
    const std::size_t mediaLimits[] = {9, 1, 4, 4, 9, 14, 14, 29, 14, 29, 9, 9};
    for (std::size_t i = 0; i < std::size(mediaLimits); ++i) {
        Strings record = {"Heat", "v", "v", "v", "v", "v", "v", "v", "v", "v", "v", "v", "v"};
        record[i + 1] = X(mediaLimits[i] + 1);
        cases.push_back({"MediaField" + std::to_string(i + 2) + "Over", Media,
                         MediaRecordLines("Alien", "a") + Lines(record), MediaRecordLines("Alien", "a"), 1,
                         std::to_string(15 + i) + ":"});
    }
    // Every line of a database record over its limit: cut there, the rest of the record empty, reading stops.
    const std::size_t imdbLimits[] = {9, 299, 4, 99, 999, 4999, 255, 29999, 99, 99};
    for (std::size_t i = 0; i < std::size(imdbLimits); ++i) {
        Strings kept = kHeat;
        kept[i + 1] = X(imdbLimits[i]);
        for (std::size_t k = i + 2; k < kept.size(); ++k) kept[k].clear();
        cases.push_back({"ImdbLine" + std::to_string(i + 2) + "Over", Imdb,
                         With(kHeat, i + 1, X(imdbLimits[i] + 1)) + alien, Lines(kept), 1,
                         std::to_string(i + 2) + ":"});
    }
    return cases;
}

TEST(StoreFiles, ALoadKeepsWholeRecordsTheSaveWritesThemAndDamageSaysWhereAndWhy) {
    const fs::path dir = fs::temp_directory_path() / ("cl-store-files-" + std::to_string(getpid()));
    for (const FileCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::ofstream(dir / StoreFileName(c.store, c.backup), std::ios::binary) << c.bytes;
        Collection collection;
        const auto loads = LoadStores(collection, dir, "2026/12/6", c.backup);
        const LoadReport report =
            std::find_if(loads.begin(), loads.end(), [&c](const StoreLoad& l) { return l.store == c.store; })->report;
        test::RecordingWriter writer;
        SaveAll(collection, dir, writer);
        EXPECT_EQ(writer.files[StoreFileName(c.store)], c.saved);
        EXPECT_EQ(report.records, c.records);
        const std::string damage =
            report.damage ? std::to_string(report.damage->line) + ": " + report.damage->what : "";
        EXPECT_EQ(c.damage.ends_with(':') ? damage.substr(0, c.damage.size()) : damage, c.damage);  // or its line
    }
    fs::remove_all(dir);
}

// The comment, history, media and database stores: keyed by the exact text, in the order added.
struct KeyedStore {
    const char* name;
    std::size_t keyMax;
    std::function<bool(Collection&, const std::string&)> add;
    std::function<bool(Collection&, const std::string&, const std::string&)> rename;
    std::function<bool(Collection&, const std::string&)> remove;
    std::function<Strings(const Collection&)> keys;
};

template <typename Store, typename KeyOf>
Strings KeysOf(const Store& store, KeyOf key) {
    Strings out;
    for (const auto& record : store) out.push_back(key(record));
    return out;
}

const KeyedStore kKeyedStores[] = {
    {"Comments", 109, [](Collection& c, const std::string& t) { return c.comments.Set(t, "c"); },
     [](Collection& c, const std::string& a, const std::string& b) { return c.comments.Rename(a, b); },
     [](Collection& c, const std::string& t) { return c.comments.Remove(t); },
     [](const Collection& c) { return KeysOf(c.comments, [](const CommentRecord& r) { return r.title; }); }},
    {"History", 109, [](Collection& c, const std::string& t) { return c.history.AddOrUpdate(t, "2003/1/5", "0"); },
     [](Collection& c, const std::string& a, const std::string& b) { return c.history.Rename(a, b); },
     [](Collection& c, const std::string& t) { return c.history.Remove(t); },
     [](const Collection& c) { return KeysOf(c.history, [](const HistoryRecord& r) { return r.title; }); }},
    {"Media", 109, [](Collection& c, const std::string& t) { return c.media.AddOrReplace(t, MediaFields{}); },
     [](Collection& c, const std::string& a, const std::string& b) { return c.media.Rename(a, b); },
     [](Collection& c, const std::string& t) { return c.media.Delete(t); },
     [](const Collection& c) { return c.media.Titles(); }},
    {"Imdb", 119, [](Collection& c, const std::string& k) { return c.imdb.Put(k, {.number = "1"}); },
     [](Collection& c, const std::string& a, const std::string& b) { return c.imdb.Rekey(a, b); },
     [](Collection& c, const std::string& k) { return c.imdb.Remove(k); },
     [](const Collection& c) { return KeysOf(c.imdb, [](const ImdbRecord& r) { return r.key; }); }},
};

TEST(KeyedStores, KeysAreExactAndRenamesKeepThePlaceAndNeverDropARecord) {
    for (const KeyedStore& s : kKeyedStores) {
        SCOPED_TRACE(s.name);
        Collection c;
        const std::string longest = X(s.keyMax);
        // A key the file could not carry is refused: it would end the file, break a line or not read back.
        for (const std::string& bad : {std::string(), std::string("Two\nLines"), X(s.keyMax + 1)}) {
            EXPECT_FALSE(s.add(c, bad));
        }
        EXPECT_TRUE(s.add(c, "Alien") && s.add(c, "alien") && s.add(c, "Heat") && s.add(c, longest));
        EXPECT_TRUE(s.add(c, "Alien"));  // the same key again replaces the record in its place
        EXPECT_TRUE(s.rename(c, "Alien", "Aliens"));
        EXPECT_FALSE(s.rename(c, "Alien", "Other"));
        EXPECT_FALSE(s.rename(c, "Heat", X(s.keyMax + 1)));
        // Onto a key another record has, both stay; a save writes both.
        EXPECT_TRUE(s.rename(c, "Heat", "alien"));
        EXPECT_EQ(s.keys(c), (Strings{"Aliens", "alien", "alien", longest}));
        EXPECT_TRUE(s.remove(c, "alien"));
        EXPECT_FALSE(s.remove(c, "Heat"));
        EXPECT_EQ(s.keys(c), (Strings{"Aliens", "alien", longest}));
    }
}

}  // namespace
}  // namespace cl
