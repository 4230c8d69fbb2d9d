// Rows of text fields into a model.
#include "Table.h"

#include "analysis/Text.h"

#include <vymath/analysis/Error.h>

#include <limits>

namespace vymath {
namespace formats {

using analysis::Error;
using analysis::Field;

TableReader::TableReader(const analysis::ColumnRequest& request_, TableNaming naming_)
    : request(request_), naming(std::move(naming_)) {}

std::string TableReader::FieldAt(std::size_t origin, std::size_t column) const {
    return naming.field(origin, column, layout.Role(column));
}

void TableReader::Header(const std::vector<std::string_view>& row, std::size_t origin) {
    std::vector<std::string> header(row.begin(), row.end());
    if (!header.empty() && header[0].rfind("\xEF\xBB\xBF", 0) == 0)
        header[0].erase(0, 3); // a byte-order mark, as spreadsheets write it
    try {
        layout = analysis::ResolveColumns(header, request);
    } catch (const Error& e) {
        throw Error(e.GetKind(), naming.row(origin) + ": " + e.what());
    }
    for (std::size_t k = 0; k < header.size(); ++k)
        joined += (k ? "," : "") + header[k];
    values.assign(layout.forces.size(), 0.0);
    // The model names places by role: each role's column, as the header placed it.
    analysis::Places places;
    places.source = naming.source;
    places.row = naming.row;
    places.field = [naming = naming, layout = layout](std::size_t origin, const Field& f) {
        const int column = f.role == Field::Role::Member ? layout.member
                           : f.role == Field::Role::Case ? layout.loadCase
                           : f.role == Field::Role::X    ? layout.x
                                                         : layout.forces[f.force];
        const std::size_t c = static_cast<std::size_t>(column);
        return naming.field(origin, c, layout.Role(c));
    };
    model = std::make_unique<analysis::Model>(layout.forceNames, std::move(places), layout.member >= 0);
}

double TableReader::Number(std::size_t column, std::size_t origin, bool mayBeEmpty) const {
    const std::string_view s = (*fields)[column];
    if (mayBeEmpty && s.empty())
        return std::numeric_limits<double>::quiet_NaN();
    double v = 0.0;
    const text::ParseStatus status = text::ParseDouble(s, v);
    if (status != text::ParseStatus::Ok)
        throw Error(Error::Kind::Data,
                    FieldAt(origin, column) + " " + text::Quoted(s) + " " + text::Describe(status));
    return v;
}

void TableReader::Row(const std::vector<std::string_view>& row, std::size_t origin) {
    const std::size_t n = row.size();
    if (n != layout.Columns())
        throw Error(Error::Kind::Data, naming.row(origin) + ": " + std::to_string(n) +
                                           (n == 1 ? " field" : " fields") + ", expected " +
                                           std::to_string(layout.Columns()) + " (" + joined + ")");
    ++rows;
    if (!layout.Keeps(row))
        return;
    fields = &row;
    const std::string_view member =
        layout.member >= 0 ? row[static_cast<std::size_t>(layout.member)] : std::string_view();
    const double x = Number(static_cast<std::size_t>(layout.x), origin, false);
    for (std::size_t f = 0; f < layout.forces.size(); ++f)
        values[f] = Number(static_cast<std::size_t>(layout.forces[f]), origin, true);
    model->Add(member, row[static_cast<std::size_t>(layout.loadCase)], x, values.data(), origin);
}

std::unique_ptr<analysis::Model> TableReader::Finish() {
    if (rows == 0)
        throw Error(Error::Kind::Data, naming.source + ": no rows after the header");
    if (model->Rows() == 0)
        throw Error(Error::Kind::Data, naming.source + ": no row matches the filters");
    return std::move(model);
}

} // namespace formats
} // namespace vymath
