// Writes the xlsx benchmark's workbook with libxlsxwriter: one sheet "Element Forces - Frames" of
// `rows` rows (default 1,048,576, Excel's limit) x 16 columns in an analysis program's layout: a header,
// then per frame, load case, step type and station its forces, with shared strings for the text columns
// as Excel writes them.
//   vymath_xlsx_generate OUT.xlsx [ROWS]
#include <xlsxwriter.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.xlsx [ROWS]\n", argv[0]);
        return 2;
    }
    const long rows = argc > 2 ? std::atol(argv[2]) : 1048576;
    lxw_workbook* wb = workbook_new(argv[1]);
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Element Forces - Frames");
    const char* header[16] = {"Story",   "Beam",    "Unique Name",  "Output Case", "Case Type", "Step Type",
                              "Station", "P",       "V2",           "V3",          "T",         "M2",
                              "M3",      "Element", "Elem Station", "Location"};
    for (lxw_col_t c = 0; c < 16; ++c)
        worksheet_write_string(ws, 0, c, header[c], nullptr);
    const char* cases[] = {"DEAD", "LIVE", "SDL", "WX", "WY", "ENV ULS"};
    const char* types[] = {"LinStatic", "LinStatic", "LinStatic", "LinStatic", "LinStatic", "Combination"};
    const int stations = 11;
    long row = 1;
    for (long frame = 0; row < rows; ++frame) {
        const std::string story = "Story" + std::to_string(1 + frame % 40);
        const std::string beam = "B" + std::to_string(1 + frame / 40);
        for (int k = 0; k < 6 && row < rows; ++k) {
            const int steps = k == 5 ? 2 : 1; // the envelope's Max and Min rows
            for (int s = 0; s < stations && row < rows; ++s) {
                for (int step = 0; step < steps && row < rows; ++step, ++row) {
                    const lxw_row_t r = static_cast<lxw_row_t>(row);
                    const double x = 0.6 * s;
                    const double phase = 0.001 * static_cast<double>(frame) + k + (step ? 0.5 : 0.0);
                    worksheet_write_string(ws, r, 0, story.c_str(), nullptr);
                    worksheet_write_string(ws, r, 1, beam.c_str(), nullptr);
                    worksheet_write_number(ws, r, 2, static_cast<double>(frame + 1), nullptr);
                    worksheet_write_string(ws, r, 3, cases[k], nullptr);
                    worksheet_write_string(ws, r, 4, types[k], nullptr);
                    if (steps == 2)
                        worksheet_write_string(ws, r, 5, step ? "Min" : "Max", nullptr);
                    worksheet_write_number(ws, r, 6, x, nullptr);
                    for (int f = 0; f < 6; ++f)
                        worksheet_write_number(ws, r, static_cast<lxw_col_t>(7 + f),
                                               (f + 1) * 37.5 * std::sin(phase + 0.7 * x + f) / (f + 1.3),
                                               nullptr);
                    worksheet_write_string(ws, r, 13, ("F" + std::to_string(frame + 1)).c_str(), nullptr);
                    worksheet_write_number(ws, r, 14, x, nullptr);
                    worksheet_write_string(ws, r, 15,
                                           s == 0              ? "I-End"
                                           : s == stations - 1 ? "J-End"
                                                               : "",
                                           nullptr);
                }
            }
        }
    }
    const lxw_error e = workbook_close(wb);
    if (e != LXW_NO_ERROR) {
        std::fprintf(stderr, "%s: %s\n", argv[1], lxw_strerror(e));
        return 1;
    }
    return 0;
}
