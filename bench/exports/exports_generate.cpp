// Writes the exports benchmark's inputs: one frame-analysis export of `members` beams (default 11,915:
// 1,048,523 rows, about Excel's limit) in five forms, the same values in each.
//   PREFIX.xlsx        a sheet in the program's layout: the title "TABLE:  Element Forces - Beams", the
//                      header, the units row, then the rows (libxlsxwriter, shared strings as Excel writes)
//   PREFIX.csv         the same as the program's CSV export (CRLF, numbers to 17 significant digits)
//   PREFIX.tsv         the same with tabs
//   PREFIX-headed.csv  the same columns with the header alone: no title, no units row
//   PREFIX-plain.csv   the long form: member,case,step,x,P,V2,V3,T,M2,M3 (no title, no units row)
// The 16 columns: Story, Beam, Unique Name, Output Case, Case Type, Step Type, Step Number, Station, P, V2,
// V3, T, M2, M3, Element, Elem Station. Each beam has 11 stations under DEAD, SDL, LIVE, WX, WY (linear),
// ULS1 (a linear combination) and ENV (an envelope combination: a Max and a Min row a station).
//   vymath_exports_generate PREFIX [MEMBERS]
#include <xlsxwriter.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int kStations = 11;
constexpr int kStories = 25;

// A value as the program keeps it: 12 significant digits.
double Rounded(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.12g", v);
    const double r = std::strtod(text, nullptr);
    return r == 0.0 ? 0.0 : r; // no negative zero
}

// A number as the program's text export writes it: 17 significant digits, "E-5" for an exponent.
std::string Number(double v) {
    if (v == 0.0)
        return "0";
    char text[40];
    std::snprintf(text, sizeof text, "%.17G", v);
    std::string s = text;
    const std::size_t e = s.find('E');
    if (e != std::string::npos)
        s = s.substr(0, e + 1) + std::to_string(std::atoi(s.c_str() + e + 1));
    return s;
}

struct Random { // a fixed sequence, the same on every machine
    std::uint64_t state = 88172645463325252ull;
    double Next() { // in [0, 1)
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return static_cast<double>(state >> 11) / 9007199254740992.0;
    }
};

// One text or number cell: `number` tells which.
struct Cell {
    std::string text;
    double value = 0.0;
    bool number = false;
};

class Outputs {
public:
    explicit Outputs(const std::string& prefix)
        : book(workbook_new((prefix + ".xlsx").c_str())), csv(Open(prefix + ".csv")),
          tsv(Open(prefix + ".tsv")), headed(Open(prefix + "-headed.csv")),
          plain(Open(prefix + "-plain.csv")) {
        sheet = workbook_add_worksheet(book, "Element Forces - Beams");
    }

    static std::FILE* Open(const std::string& path) {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f) {
            std::perror(path.c_str());
            std::exit(1);
        }
        return f;
    }

    enum class Kind { Title, Header, Units, Data };

    // A row of the layout, to the xlsx sheet and the text files ("" cells left out of the sheet).
    void Layout(const std::vector<Cell>& cells, Kind kind) {
        std::string comma, tab;
        for (std::size_t c = 0; c < cells.size(); ++c) {
            const Cell& cell = cells[c];
            const std::string text = cell.number ? Number(cell.value) : cell.text;
            comma += (c ? "," : "") + text;
            tab += (c ? "\t" : "") + text;
            if (cell.number)
                worksheet_write_number(sheet, row, static_cast<lxw_col_t>(c), cell.value, nullptr);
            else if (!cell.text.empty())
                worksheet_write_string(sheet, row, static_cast<lxw_col_t>(c), cell.text.c_str(), nullptr);
        }
        ++row;
        std::fprintf(csv, "%s\r\n", comma.c_str());
        std::fprintf(tsv, "%s\r\n", tab.c_str());
        if (kind == Kind::Header || kind == Kind::Data)
            std::fprintf(headed, "%s\r\n", comma.c_str());
    }

    void Plain(const std::string& line) { std::fprintf(plain, "%s\n", line.c_str()); }

    int Close() {
        for (std::FILE* f : {csv, tsv, headed, plain})
            if (std::fclose(f) != 0)
                return 1;
        const lxw_error e = workbook_close(book);
        if (e != LXW_NO_ERROR) {
            std::fprintf(stderr, "%s\n", lxw_strerror(e));
            return 1;
        }
        return 0;
    }

private:
    lxw_workbook* book;
    lxw_worksheet* sheet = nullptr;
    lxw_row_t row = 0;
    std::FILE *csv, *tsv, *headed, *plain;
};

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s PREFIX [MEMBERS]\n", argv[0]);
        return 2;
    }
    const long members = argc > 2 ? std::atol(argv[2]) : 11915;
    Outputs out(argv[1]);
    const char* header[16] = {"Story",     "Beam",      "Unique Name", "Output Case",
                              "Case Type", "Step Type", "Step Number", "Station",
                              "P",         "V2",        "V3",          "T",
                              "M2",        "M3",        "Element",     "Elem Station"};
    const char* units[16] = {"",   "",   "",   "",     "",     "",     "", "m",
                             "kN", "kN", "kN", "kN-m", "kN-m", "kN-m", "", "m"};
    const auto text = [](const std::string& s) { return Cell{s, 0.0, false}; };
    out.Layout({text("TABLE:  Element Forces - Beams")}, Outputs::Kind::Title);
    std::vector<Cell> cells;
    for (const char* h : header)
        cells.push_back(text(h));
    out.Layout(cells, Outputs::Kind::Header);
    cells.clear();
    for (const char* u : units)
        cells.push_back(text(u));
    out.Layout(cells, Outputs::Kind::Units);
    out.Plain("member,case,step,x,P,V2,V3,T,M2,M3");

    struct Case {
        const char* name;
        const char* type;
    };
    const Case cases[] = {{"DEAD", "LinStatic"}, {"SDL", "LinStatic"}, {"LIVE", "LinStatic"},
                          {"WX", "LinStatic"},   {"WY", "LinStatic"},  {"ULS1", "Combination"},
                          {"ENV", "Combination"}};
    Random rnd;
    for (long m = 0; m < members; ++m) {
        const std::string story = "Story" + std::to_string(1 + m % kStories);
        const std::string beam = "B" + std::to_string(1 + m / kStories);
        const std::string member = story + "/" + beam;
        const double length = 4.0 + 0.5 * static_cast<double>(m % 9);
        // Each load case's distributed load, axial force, torsion, end moments and weak-axis bending.
        double q[5], n[5], t[5], end[5], weak[5];
        for (int k = 0; k < 5; ++k) {
            const bool lateral = k >= 3;
            q[k] = lateral ? 0.4 * (rnd.Next() - 0.5) : 4.0 + 20.0 * rnd.Next();
            n[k] = (lateral ? 40.0 : 8.0) * (rnd.Next() - 0.5);
            t[k] = 0.6 * (rnd.Next() - 0.5);
            end[k] = (lateral ? 60.0 : 10.0) * (rnd.Next() - 0.5);
            weak[k] = 2.0 * (rnd.Next() - 0.5);
        }
        const double uls[5] = {1.35, 1.35, 1.5, 0.9, 0.0};
        for (const Case& c : cases) {
            const long k = &c - cases;
            for (int s = 0; s < kStations; ++s) {
                const double x = Rounded(length * s / (kStations - 1));
                // The forces of a load case at x: a uniform load with end moments.
                const auto forces = [&](int j, double* f) {
                    f[0] = n[j];
                    f[1] = q[j] * (length / 2 - x) - 2.0 * end[j] / length;
                    f[2] = weak[j] * (0.5 - x / length);
                    f[3] = t[j];
                    f[4] = weak[j] * x * (length - x) / length;
                    f[5] = q[j] * x * (length - x) / 2 + end[j] * (2.0 * x / length - 1.0);
                };
                double bounds[2][6] = {};
                int steps = 1;
                if (k < 5) {
                    forces(static_cast<int>(k), bounds[0]);
                } else {
                    double f[6];
                    for (int j = 0; j < 5; ++j) {
                        forces(j, f);
                        for (int i = 0; i < 6; ++i) {
                            if (k == 5) {
                                bounds[0][i] += uls[j] * f[i];
                            } else { // each case where it is unfavourable
                                const double low = j < 2 ? f[i] : 0.0,
                                             high = j < 2 ? 1.35 * f[i] : 1.5 * f[i];
                                bounds[0][i] += std::max(low, high);
                                bounds[1][i] += std::min(low, high);
                            }
                        }
                    }
                    steps = k == 6 ? 2 : 1;
                }
                for (int step = 0; step < steps; ++step) {
                    const std::string stepType = steps == 2 ? (step ? "Min" : "Max") : "";
                    cells.clear();
                    cells.push_back(text(story));
                    cells.push_back(text(beam));
                    cells.push_back(text(std::to_string(m + 1)));
                    cells.push_back(text(c.name));
                    cells.push_back(text(c.type));
                    cells.push_back(text(stepType));
                    cells.push_back(text(""));
                    cells.push_back({"", x, true});
                    std::string line = member + "," + c.name + "," + stepType + "," + Number(x);
                    for (int i = 0; i < 6; ++i) {
                        const double v = Rounded(bounds[step][i]);
                        cells.push_back({"", v, true});
                        line += "," + Number(v);
                    }
                    cells.push_back(text(beam + "-1"));
                    cells.push_back({"", x, true});
                    out.Layout(cells, Outputs::Kind::Data);
                    out.Plain(line);
                }
            }
        }
    }
    return out.Close();
}
