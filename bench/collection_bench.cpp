// Loading and saving a large collection: 100,000 Main movies with their side stores, written once to a
// temporary directory, then read back and written out again, each next to the floor any loader or saver
// pays (reading the bytes and cutting them into lines; writing the same bytes with fwrite). Also the two
// database searches of the Find dialog over 20,000 records.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <utility>
#include <vector>

#include "imdb/ImdbStore.h"
#include "media/MediaStore.h"
#include "model/Collection.h"
#include "model/CommentStore.h"
#include "model/GimmeFile.h"
#include "model/HistoryStore.h"
#include "model/ListOperations.h"
#include "model/MainListFile.h"
#include "model/QuarantineFile.h"
#include "model/base/FileWriter.h"

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kMainMovies = 100'000;
constexpr std::size_t kUpcomingMovies = 5'000;
constexpr std::size_t kFreeNumbers = 300;
constexpr std::size_t kCommented = 30'000;
constexpr std::size_t kWithLoans = 20'000;
constexpr std::size_t kQuarantined = 2'000;
constexpr std::size_t kGimme = 1'000;
constexpr std::size_t kDatabaseRecords = 20'000;
constexpr std::size_t kMediaRecords = 20'000;
constexpr std::string_view kToday = "2024/5/17";

// A small fixed generator (SplitMix64) so the collection is the same on every platform and library.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
    bool Chance(unsigned percent) { return Below(100) < percent; }
    template <class T, std::size_t N>
    const T& Pick(const std::array<T, N>& pool) {
        return pool[Below(N)];
    }
    template <class T>
    void Shuffle(std::vector<T>& v) {
        for (std::size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[Below(i)]);
    }

  private:
    std::uint64_t state_;
};

using Words = std::array<std::string_view, 48>;

constexpr Words kAdjectives{"Dark",    "Silent",    "Last",    "Lost",   "Red",      "Golden", "Broken",  "Hidden",
                            "Wild",    "Cold",      "Burning", "Final",  "Secret",   "Deadly", "Eternal", "Savage",
                            "Little",  "Big",       "Crimson", "Frozen", "Midnight", "Lonely", "Perfect", "Dangerous",
                            "Strange", "Sweet",     "Bitter",  "Empty",  "Iron",     "Black",  "White",   "Blue",
                            "Mad",     "Fast",      "Quiet",   "Hollow", "Electric", "Sacred", "Rogue",   "Fallen",
                            "Distant", "Shattered", "Endless", "Young",  "Old",      "Lucky",  "Wicked",  "Brave"};
constexpr Words kNouns{"Night",    "City",    "River",    "Storm",    "Heart",    "Kingdom", "Road",    "Sky",
                       "Shadow",   "Empire",  "Dream",    "Mountain", "Ocean",    "Fire",    "Garden",  "Island",
                       "Harbor",   "Witness", "Stranger", "Hunter",   "Soldier",  "Angel",   "Devil",   "Machine",
                       "Protocol", "Legacy",  "Mirror",   "Voyage",   "Frontier", "Castle",  "Station", "Valley",
                       "Prophecy", "Runner",  "Sister",   "Brother",  "Father",   "Mother",  "Wolf",    "Tiger",
                       "Diamond",  "Circle",  "Signal",   "Code",     "Horizon",  "Summer",  "Winter",  "Spring"};
constexpr std::array<std::string_view, 16> kPlaces{"Paris",  "Tokyo",  "Brooklyn", "Texas",     "Rome",  "Berlin",
                                                   "Mars",   "Venice", "Chicago",  "Hong Kong", "Vegas", "Alaska",
                                                   "London", "Havana", "Bombay",   "Saigon"};
constexpr std::array<std::string_view, 10> kAcronyms{"FBI", "USA", "NYPD", "CIA", "UFO",
                                                     "LA",  "DNA", "SOS",  "XL",  "JFK"};
constexpr std::array<std::string_view, 10> kRoman{"II", "III", "IV", "V", "VI", "2", "3", "4", "5", "2000"};

constexpr std::array<std::string_view, 12> kCategories{"Action", "Comedy",   "Drama",       "Horror",
                                                       "Sci-Fi", "Thriller", "Western",     "Animation",
                                                       "Crime",  "Romance",  "Documentary", "Erotic"};
constexpr std::array<std::string_view, 6> kLocations{"Default", "Living room", "Attic", "Mike", "Office", "Box 3"};
constexpr std::array<std::string_view, 5> kMedia{"DVD", "DivX", "VHS", "Blu-ray", "VCD"};
constexpr std::array<std::string_view, 2> kPresence{"Present", "Absent"};
constexpr std::array<std::string_view, 4> kUpcomingLocations{"Cinema", "Video store", "TV", "Friend"};

constexpr std::array<std::string_view, 40> kFirstNames{
    "John",   "Mary",  "Robert", "Linda",  "Michael", "Susan",  "James",  "Karen", "David",  "Nancy",
    "Peter",  "Anna",  "Thomas", "Laura",  "Paul",    "Helen",  "Mark",   "Julia", "Steven", "Emma",
    "Kevin",  "Grace", "Brian",  "Alice",  "Gary",    "Diane",  "Frank",  "Ruth",  "Dennis", "Claire",
    "Walter", "Joan",  "Harold", "Sophie", "Kenji",   "Ingrid", "Pierre", "Lucia", "Marco",  "Olga"};
constexpr std::array<std::string_view, 60> kLastNames{
    "Smith",      "Johnson",  "Williams", "Brown",    "Jones",    "Miller",  "Davis",   "Garcia",   "Wilson",
    "Anderson",   "Taylor",   "Thomas",   "Moore",    "Jackson",  "Martin",  "Lee",     "Thompson", "White",
    "Harris",     "Clark",    "Lewis",    "Robinson", "Walker",   "Young",   "Allen",   "King",     "Wright",
    "Scott",      "Hill",     "Green",    "Adams",    "Baker",    "Nelson",  "Carter",  "Mitchell", "Roberts",
    "Turner",     "Phillips", "Campbell", "Parker",   "Evans",    "Edwards", "Collins", "Stewart",  "Morris",
    "Rogers",     "Reed",     "Cook",     "Morgan",   "Bell",     "Murphy",  "Bailey",  "Rivera",   "Cooper",
    "Richardson", "Cox",      "Howard",   "Ward",     "Kurosawa", "Bergman"};
constexpr std::array<std::string_view, 24> kPlotWords{
    "a",       "the",    "young",  "detective", "must",  "find",    "her",    "missing",
    "brother", "before", "the",    "city",      "falls", "into",    "chaos",  "while",
    "an",      "old",    "friend", "returns",   "with",  "secrets", "nobody", "expected"};

// The persisted bytes of the seven store files, in load order.
constexpr std::array<cl::StoreFile, 7> kFiles{
    cl::StoreFile::MainList, cl::StoreFile::Quarantine, cl::StoreFile::Gimme, cl::StoreFile::Imdb,
    cl::StoreFile::Comments, cl::StoreFile::History,    cl::StoreFile::Media};

std::string Lower(std::string_view s) {
    std::string out(s);
    for (char& ch : out) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return out;
}

// One title in the shapes a real collection holds: two or three words, a place, a sequel numeral or
// year, acronyms, lower-case joining words, and a leading article moved to the end (", The").
std::string MakeTitle(Rng& rng) {
    std::string t;
    const auto word = [&](std::string_view w) {
        if (!t.empty()) t += ' ';
        t += w;
    };
    switch (rng.Below(8)) {
        case 0:
            word(rng.Pick(kAdjectives));
            word(rng.Pick(kNouns));
            break;
        case 1:
            word(rng.Pick(kNouns));
            word("of");
            word(rng.Pick(kPlaces));
            break;
        case 2:
            word(rng.Pick(kAdjectives));
            word(rng.Pick(kNouns));
            word("in");
            word(rng.Pick(kPlaces));
            break;
        case 3:
            word(rng.Pick(kAcronyms));
            word(rng.Pick(kNouns));
            break;
        case 4:
            word(rng.Pick(kNouns));
            word("and");
            word(rng.Pick(kNouns));
            break;
        case 5:
            word(rng.Pick(kAdjectives));
            word(rng.Pick(kAdjectives));
            word(rng.Pick(kNouns));
            break;
        case 6:
            word(rng.Pick(kNouns));
            t += ':';
            word(rng.Pick(kAdjectives));
            word(rng.Pick(kNouns));
            break;
        default:
            word(rng.Pick(kFirstNames));
            t += "'s";
            word(rng.Pick(kNouns));
            break;
    }
    if (rng.Chance(25)) word(rng.Pick(kRoman));
    if (rng.Chance(15)) {
        // Years from 1920 to 2023, as in "Summer of 1969".
        word(std::to_string(1920 + rng.Below(104)));
    }
    if (rng.Chance(3)) {
        for (char& ch : t) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    }
    if (rng.Chance(12))
        t += ", The";
    else if (rng.Chance(4))
        t += ", A";
    return t;
}

std::string PersonName(Rng& rng) {
    std::string n(rng.Pick(kFirstNames));
    n += ' ';
    n += rng.Pick(kLastNames);
    return n;
}

std::string Plot(Rng& rng) {
    std::string p;
    const std::size_t target = 200 + rng.Below(300);
    while (p.size() < target) {
        if (!p.empty()) p += ' ';
        std::string_view w = rng.Pick(kPlotWords);
        if (p.empty() || p.back() == '.') {
            p += static_cast<char>(std::toupper(static_cast<unsigned char>(w[0])));
            p += w.substr(1);
        } else {
            p += w;
        }
        if (rng.Chance(8)) p += '.';
    }
    p += '.';
    return p;
}

// The fixed sample: built, saved and checked once, kept for every benchmark of the run, its
// directories removed when the program ends.
struct Sample {
    fs::path root;
    fs::path source;                     // the saved collection
    fs::path saveTarget;                 // where the save-all writes
    fs::path floorTarget;                // where the plain fwrite baseline writes
    std::vector<std::string> fileBytes;  // the seven files as saved
    std::int64_t totalBytes = 0;
    std::unique_ptr<cl::Collection> loaded;  // the collection read back from `source`
    std::string presentActor;
    std::string presentDirector;
    std::int64_t actorBytes = 0;
    std::int64_t directorBytes = 0;

    Sample();
    ~Sample() {
        std::error_code ec;
        fs::remove_all(root, ec);
    }
};

Sample::Sample() {
    root = fs::temp_directory_path() / ("cineledger-collection-bench-" + std::to_string(::getpid()));
    source = root / "source";
    saveTarget = root / "save";
    floorTarget = root / "floor";
    fs::create_directories(source);
    fs::create_directories(saveTarget);
    fs::create_directories(floorTarget);

    Rng rng(20240517);

    // Distinct titles (under the case-folding order) for every list, in random order.
    const std::size_t wanted = kMainMovies + kUpcomingMovies + kQuarantined + kGimme;
    std::vector<std::string> titles;
    titles.reserve(wanted);
    std::unordered_set<std::string> seen;
    seen.reserve(wanted * 2);
    while (titles.size() < wanted) {
        std::string t = MakeTitle(rng);
        // Common titles repeat; a serial suffix keeps rare ones varied without a quadratic search.
        if (seen.count(Lower(t)) != 0) t += " (" + std::to_string(1950 + rng.Below(74)) + ")";
        if (seen.insert(Lower(t)).second) titles.push_back(std::move(t));
    }
    rng.Shuffle(titles);
    const std::vector<std::string> mainTitles(titles.begin(), titles.begin() + kMainMovies);
    const auto upcomingBegin = titles.begin() + kMainMovies;
    const auto quarantineBegin = upcomingBegin + kUpcomingMovies;
    const auto gimmeBegin = quarantineBegin + kQuarantined;

    cl::Collection c;

    // Numbers 1 to kMainMovies + kFreeNumbers; the ones left over are the deleted movies' free numbers.
    std::vector<std::int32_t> numbers(kMainMovies + kFreeNumbers);
    for (std::size_t i = 0; i < numbers.size(); ++i) numbers[i] = static_cast<std::int32_t>(i + 1);
    rng.Shuffle(numbers);
    for (std::size_t i = 0; i < kMainMovies; ++i) {
        cl::InsertMainMovie(
            c.main, {mainTitles[i], rng.Pick(kCategories), rng.Pick(kPresence), rng.Pick(kLocations), rng.Pick(kMedia)},
            numbers[i]);
    }
    for (std::size_t i = kMainMovies; i < numbers.size(); ++i) c.freeNumbers.Add(numbers[i]);
    for (auto it = upcomingBegin; it != quarantineBegin; ++it)
        cl::InsertUpcomingMovie(c.upcoming, *it, rng.Pick(kCategories), rng.Pick(kUpcomingLocations));
    for (auto it = quarantineBegin; it != gimmeBegin; ++it) c.quarantine.Add(*it);
    for (auto it = gimmeBegin; it != titles.end(); ++it) {
        cl::MovieRecord r;
        r.title = *it;
        r.category = "G";
        r.location = "G";
        c.internalGimme.InsertOrdered(std::move(r));
    }

    // The side stores keep the order their records were added in: the random order of the titles.
    for (std::size_t i = 0; i < kMainMovies; ++i) {
        const std::string date = std::to_string(1998 + rng.Below(26)) + "/" + std::to_string(1 + rng.Below(12)) + "/" +
                                 std::to_string(1 + rng.Below(28));
        c.history.AddOrUpdate(mainTitles[i], date, std::to_string(rng.Below(30)));
    }
    for (std::size_t i = 0; i < kWithLoans; ++i) {
        const std::string& title = mainTitles[rng.Below(kMainMovies)];
        const std::size_t loans = 1 + rng.Below(3);
        for (std::size_t l = 0; l < loans; ++l) {
            c.history.AddLoanLine(title, "Lent to " + PersonName(rng) + " on " + std::to_string(2000 + rng.Below(24)) +
                                             "/" + std::to_string(1 + rng.Below(12)) + "/" +
                                             std::to_string(1 + rng.Below(28)));
        }
    }
    for (std::size_t i = 0; i < kCommented; ++i) {
        std::string comment = "Seen with " + PersonName(rng) + ". ";
        comment += Plot(rng).substr(0, 40 + rng.Below(120));
        c.comments.Set(mainTitles[i], comment);
    }

    std::vector<std::string> directors;
    for (int i = 0; i < 500; ++i) directors.push_back(PersonName(rng));
    for (std::size_t i = 0; i < kDatabaseRecords; ++i) {
        const std::string& title = mainTitles[(i * 5) % kMainMovies];
        std::string actors;
        const std::size_t cast = 8 + rng.Below(5);
        for (std::size_t a = 0; a < cast; ++a) {
            if (a != 0) actors += ", ";
            actors += PersonName(rng);
        }
        const std::string number = std::to_string(100000 + rng.Below(9000000));
        const std::string year = std::to_string(1920 + rng.Below(104));
        const std::string tagline = "The " + std::string(rng.Pick(kAdjectives)) + " " + std::string(rng.Pick(kNouns)) +
                                    " is only the beginning.";
        const std::string plot = Plot(rng);
        const std::string genre = std::string(rng.Pick(kCategories)) + " / " + std::string(rng.Pick(kCategories));
        const std::string runtime = std::to_string(80 + rng.Below(100)) + " min";
        c.imdb.Put(cl::ImdbKey(title), {.number = number,
                                        .title = title,
                                        .year = year,
                                        .director = directors[rng.Below(directors.size())],
                                        .genre = genre,
                                        .tagline = tagline,
                                        .plot = plot,
                                        .language = "English",
                                        .runtime = runtime,
                                        .actors = actors});
    }
    for (std::size_t i = 0; i < kMediaRecords; ++i) {
        cl::MediaFields m;
        const bool mpeg4 = rng.Chance(70);
        m.format = mpeg4 ? "MPEG-4" : "MPEG-2";
        m.cds = std::to_string(1 + rng.Below(3));
        m.width = mpeg4 ? "640" : "720";
        m.height = mpeg4 ? "272" : "576";
        m.length = std::to_string(80 + rng.Below(100)) + " min.";
        m.frameRate = mpeg4 ? "23.976 fps" : "25.000 fps";
        m.videoBitRate = std::to_string(700 + rng.Below(5000)) + " kbit/s";
        m.codec = mpeg4 ? "XviD" : "MPEG-2 Video";
        m.audioBitRate = std::to_string(96 + 32 * rng.Below(6)) + " kbit/s";
        m.audioCodec = mpeg4 ? "MP3" : "AC3";
        m.channels = mpeg4 ? "2" : "5.1";
        m.samples = "48000 Hz";
        c.media.AddOrReplace(mainTitles[(i * 5 + 2) % kMainMovies], m);
    }

    const auto failures = cl::SaveAll(c, source, cl::DefaultFileWriter());
    if (!failures.empty()) {
        std::fprintf(stderr, "saving the sample failed: %s\n", failures.front().error.c_str());
        std::exit(1);
    }
    for (cl::StoreFile f : kFiles) {
        std::string bytes;
        cl::ReadWholeFile(source / cl::StoreFileName(f), bytes);
        totalBytes += static_cast<std::int64_t>(bytes.size());
        fileBytes.push_back(std::move(bytes));
    }

    // Read back once and check that everything came through.
    loaded = std::make_unique<cl::Collection>();
    for (const cl::StoreLoad& l : cl::LoadStores(*loaded, source, kToday)) {
        if (!l.report.opened || l.report.damage) {
            std::fprintf(stderr, "reading %s back failed\n", l.fileName.c_str());
            std::exit(1);
        }
    }
    if (loaded->main.Count() != kMainMovies || loaded->upcoming.Count() != kUpcomingMovies ||
        loaded->freeNumbers.Count() != kFreeNumbers || loaded->quarantine.Count() != kQuarantined ||
        loaded->internalGimme.Count() != kGimme || loaded->comments.Count() != kCommented ||
        loaded->history.Count() != kMainMovies || loaded->imdb.Count() != kDatabaseRecords ||
        loaded->media.Count() != kMediaRecords) {
        std::fprintf(stderr, "the sample read back with different counts\n");
        std::exit(1);
    }

    const cl::ImdbRecord& first = *loaded->imdb.begin();
    presentActor = first.actors->substr(0, first.actors->find(','));
    presentDirector = *first.director;
    for (const cl::ImdbRecord& r : loaded->imdb) {
        actorBytes += static_cast<std::int64_t>(r.actors ? r.actors->size() : 0);
        directorBytes += static_cast<std::int64_t>(r.director ? r.director->size() : 0);
    }
}

Sample& TheSample() {
    static Sample sample;
    return sample;
}

void BM_LoadAll(benchmark::State& state) {
    Sample& s = TheSample();
    for (auto _ : state) {
        state.PauseTiming();
        auto c = std::make_unique<cl::Collection>();
        state.ResumeTiming();
        auto loads = cl::LoadStores(*c, s.source, kToday);
        benchmark::DoNotOptimize(loads.data());
        state.PauseTiming();
        c.reset();  // freeing 100,000 movies is not part of the load
        state.ResumeTiming();
    }
    state.counters["file_bytes"] = static_cast<double>(s.totalBytes);
    state.SetBytesProcessed(state.iterations() * s.totalBytes);
}
BENCHMARK(BM_LoadAll)->Unit(benchmark::kMillisecond);

void BM_SaveAll(benchmark::State& state) {
    Sample& s = TheSample();
    for (auto _ : state) {
        auto failures = cl::SaveAll(*s.loaded, s.saveTarget, cl::DefaultFileWriter());
        if (!failures.empty()) state.SkipWithError(failures.front().error.c_str());
    }
    state.SetBytesProcessed(state.iterations() * s.totalBytes);
}
BENCHMARK(BM_SaveAll)->Unit(benchmark::kMillisecond);

// The floor of a load: the same seven files read into memory and cut into lines.
void BM_Baseline_ReadAndSplitLines(benchmark::State& state) {
    Sample& s = TheSample();
    std::size_t lineCount = 0;
    for (auto _ : state) {
        lineCount = 0;
        for (cl::StoreFile f : kFiles) {
            const fs::path path = s.source / cl::StoreFileName(f);
            std::FILE* in = std::fopen(path.c_str(), "rb");
            if (in == nullptr) {
                state.SkipWithError("cannot open a store file");
                return;
            }
            std::string bytes(fs::file_size(path), '\0');
            const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), in);
            std::fclose(in);
            bytes.resize(got);
            std::vector<std::string_view> lines;
            std::string_view rest(bytes);
            while (!rest.empty()) {
                std::size_t eol = rest.find('\n');
                std::string_view line = rest.substr(0, eol);
                if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
                lines.push_back(line);
                rest.remove_prefix(eol == std::string_view::npos ? rest.size() : eol + 1);
            }
            lineCount += lines.size();
            benchmark::DoNotOptimize(lines.data());
        }
    }
    state.counters["lines"] = static_cast<double>(lineCount);
    state.SetBytesProcessed(state.iterations() * s.totalBytes);
}
BENCHMARK(BM_Baseline_ReadAndSplitLines)->Unit(benchmark::kMillisecond);

// The floor of a save: the same bytes written to the seven files with plain fwrite.
void BM_Baseline_WriteSameBytes(benchmark::State& state) {
    Sample& s = TheSample();
    for (auto _ : state) {
        for (std::size_t i = 0; i < kFiles.size(); ++i) {
            const fs::path path = s.floorTarget / cl::StoreFileName(kFiles[i]);
            std::FILE* out = std::fopen(path.c_str(), "wb");
            if (out == nullptr ||
                std::fwrite(s.fileBytes[i].data(), 1, s.fileBytes[i].size(), out) != s.fileBytes[i].size()) {
                state.SkipWithError("cannot write a store file");
                if (out != nullptr) std::fclose(out);
                return;
            }
            std::fclose(out);
        }
    }
    state.SetBytesProcessed(state.iterations() * s.totalBytes);
}
BENCHMARK(BM_Baseline_WriteSameBytes)->Unit(benchmark::kMillisecond);

void BM_FindByActor(benchmark::State& state) {
    Sample& s = TheSample();
    std::size_t hits = 0;
    for (auto _ : state) {
        auto keys = s.loaded->imdb.FindByActor(s.presentActor, 3);
        hits = keys.size();
        benchmark::DoNotOptimize(keys.data());
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(state.iterations() * s.actorBytes);
}
BENCHMARK(BM_FindByActor)->Unit(benchmark::kMillisecond);

void BM_FindByDirector(benchmark::State& state) {
    Sample& s = TheSample();
    std::size_t hits = 0;
    for (auto _ : state) {
        auto keys = s.loaded->imdb.FindByDirector(s.presentDirector, 3);
        hits = keys.size();
        benchmark::DoNotOptimize(keys.data());
    }
    state.counters["hits"] = static_cast<double>(hits);
    state.SetBytesProcessed(state.iterations() * s.directorBytes);
}
BENCHMARK(BM_FindByDirector)->Unit(benchmark::kMillisecond);

// Where a load or save spends its time: one store file at a time (argument: its place in the load order).
void BM_LoadStore(benchmark::State& state) {
    Sample& s = TheSample();
    const auto index = static_cast<std::size_t>(state.range(0));
    const fs::path path = s.source / cl::StoreFileName(kFiles[index]);
    for (auto _ : state) {
        state.PauseTiming();
        auto c = std::make_unique<cl::Collection>();
        state.ResumeTiming();
        cl::LoadReport report;
        switch (kFiles[index]) {
            case cl::StoreFile::MainList:
                report = cl::LoadMainListFile(
                    path,
                    cl::MainListStores{c->main, c->upcoming, c->knownCategories, c->knownLocations,
                                       c->knownUpcomingLocations, c->knownMedia, c->freeNumbers, c->password,
                                       c->version},
                    [&c](const std::string& title) { c->history.AddOrUpdate(title, kToday, "0"); });
                break;
            case cl::StoreFile::Quarantine:
                report = cl::LoadQuarantineFile(path, cl::EndMarker::Exact, c->quarantine);
                break;
            case cl::StoreFile::Gimme:
                report = cl::LoadGimmeFile(path, c->internalGimme);
                break;
            case cl::StoreFile::Imdb:
                report = cl::LoadImdbFile(path, c->imdb);
                break;
            case cl::StoreFile::Comments:
                report = cl::LoadCommentsFile(path, c->comments);
                break;
            case cl::StoreFile::History:
                report = cl::LoadHistoryFile(path, c->history);
                break;
            case cl::StoreFile::Media:
                report = cl::LoadMediaFile(path, c->media);
                break;
        }
        benchmark::DoNotOptimize(report.records);
        state.PauseTiming();
        c.reset();
        state.ResumeTiming();
    }
    state.SetLabel(cl::StoreFileName(kFiles[index]));
    state.counters["file_bytes"] = static_cast<double>(s.fileBytes[index].size());
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.fileBytes[index].size()));
}
BENCHMARK(BM_LoadStore)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

std::string SerializeStore(const cl::Collection& c, cl::StoreFile f) {
    switch (f) {
        case cl::StoreFile::MainList:
            return cl::SerializeMainList(c.main, c.upcoming, c.freeNumbers, c.password);
        case cl::StoreFile::Quarantine:
            return cl::SerializeQuarantine(c.quarantine);
        case cl::StoreFile::Gimme:
            return cl::SerializeGimme(c.internalGimme);
        case cl::StoreFile::Imdb:
            return cl::SerializeImdb(c.imdb);
        case cl::StoreFile::Comments:
            return cl::SerializeComments(c.comments);
        case cl::StoreFile::History:
            return cl::SerializeHistory(c.history);
        case cl::StoreFile::Media:
            return cl::SerializeMedia(c.media);
    }
    return {};
}

// The in-memory half of a save: building one store file's bytes, without writing them.
void BM_SerializeStore(benchmark::State& state) {
    Sample& s = TheSample();
    const auto index = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        std::string bytes = SerializeStore(*s.loaded, kFiles[index]);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetLabel(cl::StoreFileName(kFiles[index]));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(s.fileBytes[index].size()));
}
BENCHMARK(BM_SerializeStore)->DenseRange(0, 6)->Unit(benchmark::kMillisecond);

}  // namespace
