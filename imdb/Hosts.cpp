// The movie database's addresses: defaults, the ini file's [Hosts] section, the environment.
#include "imdb/Hosts.h"

#include <cstdlib>
#include <utility>

#include "model/base/IniFile.h"

namespace cl {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

std::string WithoutTrailingSlash(std::string_view address) {
    while (!address.empty() && address.back() == '/') address.remove_suffix(1);
    return std::string(address);
}

// The host a key names, or null for a key the section does not know.
std::string* HostOf(DatabaseHosts& hosts, std::string_view key) {
    if (SameIgnoringCase(key, "TitleSearch")) return &hosts.titleSearch;
    if (SameIgnoringCase(key, "Site")) return &hosts.site;
    if (SameIgnoringCase(key, "Image")) return &hosts.image;
    if (SameIgnoringCase(key, "Poster")) return &hosts.poster;
    return nullptr;
}

void Set(std::string& host, std::string_view value) {
    std::string address = WithoutTrailingSlash(value);
    if (!address.empty()) host = std::move(address);
}

}  // namespace

DatabaseHosts DefaultHosts() {
    return {std::string(kDefaultTitleSearchHost), std::string(kDefaultSiteHost), std::string(kDefaultImageHost),
            std::string(kDefaultPosterHost)};
}

void ApplyHostsSection(std::string_view iniBytes, DatabaseHosts& hosts) {
    bool inHosts = false;
    bool firstLine = true;  // the skin's name, whatever it looks like
    while (!iniBytes.empty()) {
        // A line ends at CR, LF or CR LF (the pair leaves an empty line behind, which is passed over).
        const std::size_t end = iniBytes.find_first_of("\r\n");
        const std::string_view line = Trim(iniBytes.substr(0, end));
        iniBytes.remove_prefix(end == std::string_view::npos ? iniBytes.size() : end + 1);
        if (std::exchange(firstLine, false) || line.empty() || line.front() == ';' || line.front() == '#') continue;
        if (line.front() == '[') {
            const std::size_t close = line.find(']');
            inHosts =
                close != std::string_view::npos && SameIgnoringCase(Trim(line.substr(1, close - 1)), kHostsSection);
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inHosts || equals == std::string_view::npos) continue;
        if (std::string* host = HostOf(hosts, Trim(line.substr(0, equals)))) Set(*host, Trim(line.substr(equals + 1)));
    }
}

void ApplyHostVariables(DatabaseHosts& hosts, VariableLookup lookup) {
    const std::pair<const char*, std::string*> variables[] = {{kTitleSearchHostVariable, &hosts.titleSearch},
                                                              {kSiteHostVariable, &hosts.site},
                                                              {kImageHostVariable, &hosts.image},
                                                              {kPosterHostVariable, &hosts.poster}};
    for (const auto& [name, host] : variables) {
        const char* value = lookup(name);
        if (value != nullptr) Set(*host, value);
    }
}

DatabaseHosts ReadDatabaseHosts(std::string_view dataDirectory) {
    DatabaseHosts hosts = DefaultHosts();
    std::string bytes;
    if (ReadIniFile(dataDirectory, bytes)) ApplyHostsSection(bytes, hosts);
    ApplyHostVariables(hosts, [](const char* name) -> const char* { return std::getenv(name); });
    return hosts;
}

DatabaseHosts HostsFromEnvironment() {
    DatabaseHosts hosts = DefaultHosts();
    ApplyHostVariables(hosts, [](const char* name) -> const char* { return std::getenv(name); });
    return hosts;
}

std::string HostName(std::string_view address) {
    const std::size_t scheme = address.find("://");
    return std::string(scheme == std::string_view::npos ? address : address.substr(scheme + 3));
}

}  // namespace cl
