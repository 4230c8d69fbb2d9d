#include "formats/xlsx/Xlsx.h"

#include "Failure.h"
#include "Sheet.h"
#include "Xml.h"
#include "Zip.h"

#include <optional>
#include <utility>

namespace vymath {
namespace formats {

using detail::Failure;

namespace {

bool EndsWith(std::string_view s, std::string_view tail) {
    return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

// The part a relationship of `source` targets: relative to the source's folder, or from the package's
// root for a target starting with '/'; "." and ".." segments resolved.
std::string ResolveTarget(const std::string& source, const std::string& target) {
    std::string path = target;
    if (!path.empty() && path[0] == '/')
        path.erase(0, 1);
    else
        path = source.substr(0, source.rfind('/') + 1) + path;
    std::vector<std::string> segments;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t slash = path.find('/', start);
        if (slash == std::string::npos)
            slash = path.size();
        const std::string segment = path.substr(start, slash - start);
        if (segment == "..") {
            if (!segments.empty())
                segments.pop_back();
        } else if (!segment.empty() && segment != ".") {
            segments.push_back(segment);
        }
        start = slash + 1;
    }
    std::string out;
    for (const std::string& s : segments)
        out += (out.empty() ? "" : "/") + s;
    return out;
}

// The relationships part of `part`: "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels".
std::string RelationshipsOf(const std::string& part) {
    const std::size_t slash = part.rfind('/');
    const std::size_t file = slash == std::string::npos ? 0 : slash + 1;
    return part.substr(0, file) + "_rels/" + part.substr(file) + ".rels";
}

struct Relationship {
    std::string id, type, target;
    bool external = false;
};

class RelationshipsReader : public detail::XmlHandler {
public:
    std::vector<Relationship> relationships;
    void Start(std::string_view name, const char** attributes) override {
        if (name != "Relationship")
            return;
        Relationship r;
        const char* id = detail::Attribute(attributes, "Id");
        const char* type = detail::Attribute(attributes, "Type");
        const char* target = detail::Attribute(attributes, "Target");
        const char* mode = detail::Attribute(attributes, "TargetMode");
        r.id = id ? id : "";
        r.type = type ? type : "";
        r.target = target ? target : "";
        r.external = mode && std::string_view(mode) == "External";
        relationships.push_back(std::move(r));
    }
    void End(std::string_view) override {}
};

struct SheetEntry {
    std::string name, id;
    std::string part; // the worksheet's part; empty for another kind of sheet
    std::string kind; // "worksheet", "chartsheet", ...
};

class WorkbookReader : public detail::XmlHandler {
public:
    std::vector<SheetEntry> sheets;
    bool root = true, workbook = false;
    void Start(std::string_view name, const char** attributes) override {
        if (root) {
            workbook = name == "workbook";
            root = false;
        }
        if (name != "sheet")
            return;
        const char* sheetName = detail::Attribute(attributes, "name");
        const char* id = detail::Attribute(attributes, "id", true);
        if (!sheetName || !id)
            throw Failure("a <sheet> without its name or relationship id");
        sheets.push_back(SheetEntry{sheetName, id, {}, {}});
    }
    void End(std::string_view) override {}
};

// The shared strings: each <si>'s text, rich-text runs joined, phonetic runs (rPh) left out.
class SharedStringsReader : public detail::XmlHandler {
public:
    enum class Role : unsigned char { Other, Root, Item, Run, Text };
    detail::SharedStrings& table;
    std::vector<Role> open;
    std::string text, unescaped;
    explicit SharedStringsReader(detail::SharedStrings& table) : table(table) {}
    void Start(std::string_view name, const char**) override {
        const Role parent = open.empty() ? Role::Other : open.back();
        Role role = Role::Other;
        if (open.empty())
            role = Role::Root;
        else if (parent == Role::Root && name == "si")
            role = Role::Item;
        else if ((parent == Role::Item || parent == Role::Run) && name == "t")
            role = Role::Text;
        else if (parent == Role::Item && name == "r")
            role = Role::Run;
        if (role == Role::Item)
            text.clear();
        open.push_back(role);
    }
    void End(std::string_view) override {
        if (open.back() == Role::Item) {
            unescaped.clear();
            detail::AppendUnescaped(unescaped, text);
            table.Add(unescaped);
        }
        open.pop_back();
    }
    void Text(std::string_view s) override {
        if (!open.empty() && open.back() == Role::Text)
            text.append(s);
    }
};

std::string Quoted(const std::string& s) {
    return "\"" + s + "\"";
}

} // namespace

struct XlsxWorkbook::Impl {
    std::string name;
    detail::ZipArchive zip;
    std::vector<SheetEntry> sheets;
    std::vector<std::string> sheetNames;
    std::string sharedStringsPart;
    std::optional<detail::SharedStrings> strings;

    Impl(std::string name, detail::ZipArchive zip) : name(std::move(name)), zip(std::move(zip)) {}

    [[noreturn]] void Fail(const std::string& context, const Failure& f) const {
        std::string message = name + ":";
        if (!context.empty())
            message += " " + context;
        if (!f.where.empty())
            message += " " + f.where;
        throw XlsxError(message + ": " + f.what());
    }
    [[noreturn]] void Fail(const std::string& message) const { throw XlsxError(name + ": " + message); }

    std::optional<std::uint64_t> Find(const std::string& part) const { return zip.Find(part); }

    void Parse(const std::string& part, std::uint64_t index, detail::XmlHandler& handler) const {
        try {
            detail::ZipEntry entry(zip, index, part);
            detail::ParseXml(entry, handler);
        } catch (const Failure& f) {
            Fail(part, f);
        }
    }

    std::vector<Relationship> Relationships(const std::string& part) const {
        const std::string rels = RelationshipsOf(part);
        RelationshipsReader reader;
        if (const auto index = Find(rels))
            Parse(rels, *index, reader);
        return std::move(reader.relationships);
    }

    void Load() {
        std::string workbookPart = "xl/workbook.xml";
        for (const Relationship& r : Relationships(""))
            if (EndsWith(r.type, "/officeDocument") && !r.external) {
                workbookPart = ResolveTarget("", r.target);
                break;
            }
        const auto index = Find(workbookPart);
        if (!index)
            Fail("no workbook part " + workbookPart + " (not an .xlsx workbook)");
        WorkbookReader workbook;
        Parse(workbookPart, *index, workbook);
        if (!workbook.workbook)
            Fail(workbookPart + " is not a workbook part (not an .xlsx workbook)");

        const std::vector<Relationship> relationships = Relationships(workbookPart);
        for (const Relationship& r : relationships)
            if (EndsWith(r.type, "/sharedStrings") && !r.external)
                sharedStringsPart = ResolveTarget(workbookPart, r.target);
        for (SheetEntry& sheet : workbook.sheets) {
            const Relationship* found = nullptr;
            for (const Relationship& r : relationships)
                if (r.id == sheet.id)
                    found = &r;
            if (!found || found->external)
                Fail("sheet " + Quoted(sheet.name) + ": no relationship " + sheet.id + " in " +
                     RelationshipsOf(workbookPart));
            sheet.kind = found->type.substr(found->type.rfind('/') + 1);
            if (sheet.kind == "worksheet") {
                sheet.part = ResolveTarget(workbookPart, found->target);
                sheetNames.push_back(sheet.name);
            }
        }
        sheets = std::move(workbook.sheets);
    }

    const detail::SharedStrings& Strings() {
        if (!strings) {
            detail::SharedStrings table;
            if (!sharedStringsPart.empty()) {
                const auto index = Find(sharedStringsPart);
                if (!index)
                    Fail("the shared strings " + sharedStringsPart + " are missing");
                SharedStringsReader reader(table);
                Parse(sharedStringsPart, *index, reader);
            }
            strings = std::move(table);
        }
        return *strings;
    }
};

XlsxWorkbook::XlsxWorkbook(std::unique_ptr<Impl> impl) : impl(std::move(impl)) {}
XlsxWorkbook::XlsxWorkbook(XlsxWorkbook&&) noexcept = default;
XlsxWorkbook& XlsxWorkbook::operator=(XlsxWorkbook&&) noexcept = default;
XlsxWorkbook::~XlsxWorkbook() = default;

XlsxWorkbook XlsxWorkbook::Open(const std::string& path) {
    try {
        auto impl = std::make_unique<Impl>(path, detail::ZipArchive::Open(path));
        impl->Load();
        return XlsxWorkbook(std::move(impl));
    } catch (const Failure& f) {
        throw XlsxError(path + ": " + f.what());
    }
}

XlsxWorkbook XlsxWorkbook::FromBytes(std::string bytes, std::string name) {
    try {
        auto impl = std::make_unique<Impl>(name, detail::ZipArchive::FromBytes(std::move(bytes)));
        impl->Load();
        return XlsxWorkbook(std::move(impl));
    } catch (const Failure& f) {
        throw XlsxError(name + ": " + f.what());
    }
}

const std::string& XlsxWorkbook::Name() const {
    return impl->name;
}

const std::vector<std::string>& XlsxWorkbook::SheetNames() const {
    return impl->sheetNames;
}

void XlsxWorkbook::ReadSheet(std::string_view sheet, const XlsxRowHandler& onRow) {
    const SheetEntry* entry = nullptr;
    for (const SheetEntry& s : impl->sheets)
        if (s.name == sheet)
            entry = &s;
    if (!entry || entry->part.empty()) {
        std::string list;
        for (const std::string& s : impl->sheetNames)
            list += (list.empty() ? "" : ", ") + Quoted(s);
        const std::string quoted = Quoted(std::string(sheet));
        if (entry)
            impl->Fail("sheet " + quoted + " is a " + entry->kind +
                       ", not a worksheet; the worksheets: " + (list.empty() ? "none" : list));
        impl->Fail("no sheet " + quoted + "; the sheets: " + (list.empty() ? "none" : list));
    }
    const detail::SharedStrings& strings = impl->Strings();
    const std::string context = "sheet " + Quoted(entry->name);
    const auto index = impl->Find(entry->part);
    if (!index)
        impl->Fail(context + ": its part " + entry->part + " is missing");
    try {
        detail::ZipEntry part(impl->zip, *index, entry->part);
        detail::ScanSheet([&part](char* out, std::size_t n) { return part.Read(out, n); }, strings, onRow);
    } catch (const Failure& f) {
        impl->Fail(context, f);
    }
}

std::size_t XlsxColumnNumber(std::string_view letters) {
    if (letters.empty() || letters.size() > 3)
        return 0;
    std::size_t n = 0;
    for (char c : letters) {
        if (c < 'A' || c > 'Z')
            return 0;
        n = n * 26 + static_cast<std::size_t>(c - 'A' + 1);
    }
    return n <= 16384 ? n : 0;
}

std::string XlsxColumnName(std::size_t column) {
    std::string name;
    for (; column > 0; column = (column - 1) / 26)
        name.insert(name.begin(), static_cast<char>('A' + (column - 1) % 26));
    return name;
}

} // namespace formats
} // namespace vymath
