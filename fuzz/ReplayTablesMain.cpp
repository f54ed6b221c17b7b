// Runs the transponder-table fuzz target as an ordinary test, deterministic and a few seconds
// long: the committed corpus, then random files and corpus files with bytes changed and
// pieces of table syntax put in, taken out or repeated.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

int main(int argc, char** argv) {
    const auto run = [](const std::string& input) {
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    };
    std::vector<std::string> seeds;
    for (const auto& entry :
         std::filesystem::directory_iterator(argc > 1 ? argv[1] : "corpus-tables")) {
        std::ifstream in(entry.path(), std::ios::binary);
        run(seeds.emplace_back(std::istreambuf_iterator<char>(in),
                               std::istreambuf_iterator<char>()));
    }
    std::mt19937 random(20240612);
    // What the readers branch on.
    using namespace std::string_view_literals;
    // clang-format off
    const std::string_view pieces[] = {
        "<", ">", "/>", "</sat>", "\"", "'", "=", " ", "\n", "\t", "\r", "&amp;", "&#48;",
        "&#x110000;", "&bogus;", "<!--", "-->", "<![CDATA[x]]>", "<?pi?>",
        "<!DOCTYPE satellites [<!ENTITY e \"x\">]>", "<satellites>", "</satellites>",
        "<sat name=\"A (1.0E)\" position=\"1801\">", "<transponder frequency=\"11000000\" "
        "symbol_rate=\"27500000\" polarization=\"3\"/>", "xmlns:a=\"u\"", "a:b", "[CHANNEL]",
        "FREQUENCY = 3700000", "POLARIZATION = LEFT", "SYMBOL_RATE = 99999",
        "DELIVERY_SYSTEM = DVBT", "#", "-", "0", "9", "99999999999999999999", "\xC3\xA9", "\xC3",
        "\xED\xA0\x80", "\xEF\xBF\xBF", "\0"sv};
    // Well-formed lists of every attribute form, so that most reach both XML readers.
    const char* const values[] = {"11000000", "3700000", " 12000000 ", "+27500000", "-300", "1801",
        "0", "", "abc", "&#49;2000000", "3", "2", "1", "12750499", "1e3", "-0",
        "99999999999999999999", "27500000", "&amp;"};
    const char* const names[] = {"Astra 1KR/1L (19.2E)", "Sirius &amp; Thor", "\xD0\xAF\xD0\xBC", "",
        "a&#x20;b&#9;c", "Telecommunications 1 (1.0W)", "Astra\t1KR", "bad \xC3 byte",
        "control \x01", "\xED\xA0\x80"};
    // clang-format on
    const auto mutate = [&](std::string input) {
        for (unsigned edits = 1 + random() % 8; edits > 0; --edits) {
            const std::size_t at = input.empty() ? 0 : random() % (input.size() + 1);
            const unsigned kind = random() % 4;
            if (kind == 0 && !input.empty()) {
                input[random() % input.size()] = static_cast<char>(random());
            } else if (kind == 1) {
                input.insert(at, pieces[random() % std::size(pieces)]);
            } else if (kind == 2) {
                input.erase(at, random() % 16);
            } else if (kind == 3 && at < input.size()) {
                input.insert(at, input.substr(at, random() % 64));
            }
        }
        return input;
    };
    const auto attribute = [&](const char* name, const char* value) { // one in eight left out
        const char quote = random() % 2 ? '"' : '\'';
        return random() % 8
                   ? std::string(" ") + name + (random() % 4 ? "=" : " = ") + quote + value + quote
                   : std::string();
    };
    const auto list = [&] {
        std::string xml = random() % 2 ? "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n" : "";
        xml += "<satellites>";
        for (unsigned sat = random() % 5; sat > 0; --sat) {
            xml += "\n <sat";
            xml += attribute("name", names[random() % std::size(names)]);
            xml += attribute("position", values[random() % std::size(values)]);
            xml += random() % 2 ? attribute("flags", "1") + ">" : ">";
            for (unsigned tp = random() % 6; tp > 0; --tp) {
                xml += "<transponder";
                for (const char* key : {"frequency", "symbol_rate", "polarization", "system"}) {
                    xml += attribute(key, values[random() % std::size(values)]);
                }
                xml += random() % 4 ? "/>" : "></transponder>";
                xml += random() % 4 ? "" : "<!-- note -->";
            }
            xml += "</sat>";
        }
        return xml + "\n</satellites>\n";
    };
    for (int i = 0, runs = argc > 2 ? std::atoi(argv[2]) : 2000; i < runs; ++i) {
        std::string input;
        if (i % 4 == 1) {
            input = static_cast<char>(random() % 4) + list();
            input = i % 8 == 5 ? mutate(input) : input;
        } else if (i % 8 == 0 || seeds.empty()) {
            input.resize(random() % 512);
            std::generate(input.begin(), input.end(), [&] { return static_cast<char>(random()); });
        } else {
            input = mutate(seeds[random() % seeds.size()]);
        }
        run(input);
    }
    return seeds.empty() ? 1 : 0; // an empty corpus means a wrong folder
}
