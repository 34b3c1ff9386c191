#include "exports/CompletedCsv.h"

#include "platform/Cp1252.h"
#include "store/CommonDiskRoutines.h"
#include "store/CompletedSlips.h"
#include "store/Disk.h"
#include "store/SlipFile.h"

#include <array>
#include <map>
#include <string_view>

namespace rotaplan {

namespace {

constexpr const char* Header = "\xEF\xBB\xBF\"Kind\",\"SA Number\",\"Team\",\"Hours Word\","
                               "\"Hours\",\"Date\",\"Start Index\",\"Problem\",\"Status\","
                               "\"Spare 1\",\"Spare 2\",\"Amount\",\"Name\",\"Address 1\","
                               "\"Address 2\",\"City\",\"State\",\"Zip\",\"Telephone\","
                               "\"Assigned To\"\r\n";
constexpr std::int32_t ProgressStep = 4096;

// Each Windows-1252 byte's UTF-8, looked up once per byte instead of decoded per field.
const std::array<std::string, 256>& Utf8OfByte() {
    static const std::array<std::string, 256> table = [] {
        std::array<std::string, 256> utf8;
        for (int b = 0; b < 256; ++b)
            utf8[b] = Cp1252ToUtf8(std::string(1, static_cast<char>(b)));
        return utf8;
    }();
    return table;
}

// Quoted, quotes doubled, Windows-1252 bytes (`cp1252`) turned into UTF-8. Plain runs are
// copied whole; only quotes and bytes past ASCII are handled one by one.
void AppendQuoted(std::string& row, std::string_view text, bool cp1252) {
    row += '"';
    std::size_t from = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c != '"' && (c < 0x80 || !cp1252))
            continue;
        row.append(text.data() + from, i - from);
        row += c == '"' ? std::string_view("\"\"") : std::string_view(Utf8OfByte()[c]);
        from = i + 1;
    }
    row.append(text.data() + from, text.size() - from);
    row += '"';
}

std::string_view TrimmedBytes(const SlipRecord& record, std::size_t field) {
    const auto [offset, width] = LayoutOf(static_cast<SlipField>(field));
    std::string_view bytes(record.Bytes().data() + offset, width);
    const auto first = bytes.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return bytes.substr(first, bytes.find_last_not_of(' ') - first + 1);
}

struct Cancelled {};

} // namespace

bool ExportCompletedCsv(const CrewdeskVariables& v, const std::filesystem::path& target,
                        const ExportProgress& progress) {
    const auto source = ProgramPath(v, CompletedSlipsFile);
    try {
        disk::WriteThroughScratch(target, [&](disk::WriteHandle& out) {
            out.Append(Header);
            if (!disk::FileExists(source))
                return;
            SlipFile completed(source);
            const std::int32_t total = completed.Count();
            std::map<std::string, std::string, std::less<>> teamNames;
            SlipRecord record;
            std::string row;
            for (std::int32_t r = 1; r <= total; ++r) {
                if (r % ProgressStep == 1 && !progress(r - 1, total))
                    throw Cancelled{};
                completed.Read(r, record);
                row.clear();
                for (std::size_t f = 0; f < SlipFieldCount; ++f) {
                    AppendQuoted(row, TrimmedBytes(record, f), true);
                    row += ',';
                }
                const std::string_view team = TrimmedBytes(record, std::size_t(SlipField::Team));
                auto name = teamNames.find(team);
                if (name == teamNames.end()) {
                    std::string quoted;
                    AppendQuoted(quoted, AssignedToText(v, team), false);
                    name = teamNames.emplace(team, quoted + "\r\n").first;
                }
                row += name->second;
                out.Append(row);
            }
            progress(total, total);
        });
    } catch (const Cancelled&) {
        return false;
    }
    return true;
}

} // namespace rotaplan
