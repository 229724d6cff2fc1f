#include "e2e/harness.h"

#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

namespace e2e {

namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string Quote(const std::string& s) {
    std::string q = "'";
    for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

size_t ValueStart(const std::string& line, const std::string& key) {
    const std::string pattern = "\"" + key + "\":";
    const size_t at = line.find(pattern);
    if (at == std::string::npos)
        throw std::runtime_error("no field " + key + " in " + line.substr(0, 200));
    return at + pattern.size();
}

}  // namespace

namespace {
// The folders this test process made; removed when it exits, unless ZV_KEEP_E2E is set (to
// look at a failing run's dump and screenshots).
struct ScratchFolders {
    std::vector<fs::path> made;
    ~ScratchFolders() {
        if (std::getenv("ZV_KEEP_E2E")) return;
        std::error_code ec;
        for (const auto& d : made) fs::remove_all(d, ec);
    }
};
ScratchFolders& Scratch() {
    static ScratchFolders folders;
    return folders;
}
}  // namespace

std::string FreshDataDir() {
    static std::atomic<int> counter{0};
    const fs::path dir = fs::temp_directory_path() /
                         ("zv-e2e-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    Scratch().made.push_back(dir);
    for (const auto& e : fs::directory_iterator(ZV_BIN_DIR)) {
        const std::string ext = e.path().extension().string();
        if (ext == ".bmp" || ext == ".dat" || ext == ".map" || ext == ".dxw" || ext == ".mid")
            fs::copy_file(e.path(), dir / e.path().filename());
    }
    return dir.string();
}

RunResult RunVorin(const std::string& dataDir, const std::vector<std::string>& args,
                   const std::string& inputScript) {
    const std::string dump = dataDir + "/dump.jsonl";
    const std::string err = dataDir + "/stderr.txt";
    std::string cmd = "SDL_AUDIODRIVER=dummy RONVALET_OUTPUT=none " +
                      Quote(std::string(ZV_BIN_DIR) + "/vorin") + " --headless --data-dir " +
                      Quote(dataDir) + " --dump " + Quote(dump);
    if (!inputScript.empty()) {
        const std::string script = dataDir + "/input.txt";
        std::ofstream(script) << inputScript;
        cmd += " --input " + Quote(script);
    }
    for (const auto& a : args) cmd += " " + Quote(a);
    cmd += " 2>" + Quote(err);
    RunResult r;
    const int raw = std::system(cmd.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.errors = ReadAll(err);
    std::istringstream lines(ReadAll(dump));
    for (std::string line; std::getline(lines, line);)
        if (!line.empty()) r.dump.push_back(line);
    return r;
}

std::string SoundFontOutline() {
    std::string riff("RIFF\x28\0\0\0sfbk", 12);  // the form's size: 4 + three 12-byte lists
    for (const char* list : {"INFO", "sdta", "pdta"}) riff += std::string("LIST\4\0\0\0", 8) + list;
    return riff;
}

bool HasField(const std::string& line, const std::string& key) {
    return line.find("\"" + key + "\":") != std::string::npos;
}

int64_t IntField(const std::string& line, const std::string& key) {
    return std::stoll(line.substr(ValueStart(line, key)));
}

bool BoolField(const std::string& line, const std::string& key) {
    return line.compare(ValueStart(line, key), 4, "true") == 0;
}

std::string StrField(const std::string& line, const std::string& key) {
    size_t i = ValueStart(line, key);
    if (line[i] != '"') throw std::runtime_error(key + " is not a string");
    std::string out;
    for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        out += line[i];
    }
    return out;
}

std::string RawField(const std::string& line, const std::string& key) {
    const size_t start = ValueStart(line, key);
    int depth = 0;
    bool inString = false;
    for (size_t i = start; i < line.size(); ++i) {
        const char c = line[i];
        if (inString) {
            if (c == '\\')
                ++i;
            else if (c == '"')
                inString = false;
            continue;
        }
        if (c == '"')
            inString = true;
        else if (c == '{' || c == '[')
            ++depth;
        else if (c == '}' || c == ']') {
            if (depth == 0) return line.substr(start, i - start);
            if (--depth == 0) return line.substr(start, i + 1 - start);
        } else if (c == ',' && depth == 0) {
            return line.substr(start, i - start);
        }
    }
    return line.substr(start);
}

int64_t DumpObject::operator[](const std::string& key) const {
    const auto it = fields.find(key);
    if (it == fields.end()) throw std::runtime_error("object without field " + key);
    return it->second;
}

std::vector<DumpObject> ObjectList(const std::string& line) {
    std::vector<DumpObject> out;
    if (!HasField(line, "Objects")) return out;
    const std::string raw = RawField(line, "Objects");
    // Flat objects of integer fields: {"key":value,...}
    size_t i = 0;
    while ((i = raw.find('{', i)) != std::string::npos) {
        const size_t end = raw.find('}', i);
        DumpObject o;
        size_t k = i;
        while ((k = raw.find('"', k)) != std::string::npos && k < end) {
            const size_t keyEnd = raw.find('"', k + 1);
            const std::string key = raw.substr(k + 1, keyEnd - k - 1);
            // Read in place: a copy of the rest of the list for each field made long dumps
            // take minutes to read.
            const char* number = raw.c_str() + keyEnd + 2;
            char* numberEnd = nullptr;
            o.fields[key] = std::strtoll(number, &numberEnd, 10);
            if (numberEnd == number) throw std::runtime_error("field " + key + " is not a number");
            k = raw.find_first_of(",}", keyEnd);
        }
        out.push_back(std::move(o));
        i = end;
    }
    return out;
}

}  // namespace e2e
