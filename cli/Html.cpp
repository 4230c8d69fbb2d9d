// The HTML report: the summary as a static table, the envelopes as data drawn by the page's script.
#include "Html.h"

#include "Colours.h"
#include "Svg.h"
#include "analysis/Text.h"
#include "formats/Json.h"

#include <cmath>
#include <functional>

namespace vycli {

namespace {

using namespace vymath::analysis;
using vymath::formats::json::AppendString;
using vymath::text::Readable;
using vymath::text::Shortest;

// A number for the page: 7 significant digits, enough to draw and to sort.
std::string Num(double v) {
    return std::isfinite(v) ? Readable(v) : "null";
}

void AppendLine(std::string& out, const EnvelopeLine& e) {
    std::string x = "[", y = "[", c = "[";
    for (std::size_t i = 0; i < e.x.size(); ++i) {
        const char* sep = i ? "," : "";
        x += sep + Num(e.x[i]);
        y += sep + (e.Placeholder(i) ? std::string("null") : Num(e.y[i]));
        c += sep + std::to_string(e.governing[i]);
    }
    out += "{\"x\":" + x + "],\"y\":" + y + "],\"c\":" + c + "]}";
}

// A force's design situations: [{"names": [combination texts], "lower": {...}, "upper": {...}}, ...], the
// combinations in the order of the plots (Ranked), which gives their colours.
void AppendSituations(std::string& out, const std::vector<SituationResult>& design) {
    out += '[';
    for (std::size_t k = 0; k < design.size(); ++k) {
        const RankedSituation ranked = Ranked(design[k]);
        out += k ? ",{\"names\":[" : "{\"names\":[";
        for (std::size_t r = 0; r < ranked.names.size(); ++r) {
            out += r ? "," : "";
            AppendString(out, ranked.names[r]);
        }
        out += "],\"lower\":";
        AppendLine(out, ranked.envelope.lower);
        out += ",\"upper\":";
        AppendLine(out, ranked.envelope.upper);
        out += '}';
    }
    out += ']';
}

std::string Cell(const std::string& text, const std::string& sortValue = "") {
    return sortValue.empty() ? "<td>" + Escaped(text) + "</td>"
                             : "<td class=\"n\" data-v=\"" + sortValue + "\">" + Escaped(text) + "</td>";
}

const char* kStyle = R"CSS(
body{font-family:"DejaVu Sans",Arial,Helvetica,sans-serif;margin:24px;color:#222;font-size:14px}
h1{font-size:20px;margin:0 0 4px}
p.meta{color:#555;margin:0 0 12px}
#tools{margin:0 0 10px}
#tools input{font-size:14px;padding:3px 6px;width:220px}
#tools span{color:#555;margin-left:12px}
table{border-collapse:collapse}
th,td{padding:3px 10px;border-bottom:1px solid #e3e3e3;white-space:nowrap}
th{background:#f3f3f3;position:sticky;top:0;cursor:pointer;user-select:none;text-align:left}
th.n{text-align:right}
th:hover{background:#e6e6e6}
th .arrow{color:#888;margin-left:4px}
td.n{text-align:right;font-variant-numeric:tabular-nums}
tbody tr.row{cursor:pointer}
tbody tr.row:hover{background:#f6f9ff}
tbody tr.open{background:#eef4ff}
tr.plot td{background:#fff;padding:8px 10px 14px}
.legend{white-space:normal;max-width:880px}
.legend span{display:inline-block;margin-right:14px}
.legend i{display:inline-block;width:22px;height:4px;vertical-align:middle;margin-right:5px}
)CSS";

const char* kScript = R"JS(
"use strict";
const data = JSON.parse(document.getElementById("data").textContent);
const palette = data.palette;
const table = document.getElementById("summary");
const body = table.tBodies[0];
const rows = Array.from(body.rows);
const colour = c => c < 0 ? data.none : palette[c % palette.length];
const svgNS = "http://www.w3.org/2000/svg";

function el(name, attrs, text) {
  const e = document.createElementNS(svgNS, name);
  for (const k in attrs) e.setAttribute(k, attrs[k]);
  if (text !== undefined) e.textContent = text;
  return e;
}

function ticks(a, b, count) {
  const raw = (b - a) / count, power = Math.pow(10, Math.floor(Math.log10(raw))), f = raw / power;
  const step = (f < 1.5 ? 1 : f < 3.5 ? 2 : f < 7.5 ? 5 : 10) * power;
  const out = [];
  for (let v = Math.ceil(a / step - 1e-9) * step; v <= b + step * 1e-9; v += step)
    out.push(Math.abs(v) < step * 1e-9 ? 0 : v);
  return {step: step, at: out};
}

function label(v) { return String(+v.toPrecision(6)); }

function plot(member, force, situation) {
  const m = data.members[member], env = situation >= 0 ? m.forces[force][situation] : m.forces[force];
  const names = situation >= 0 ? env.names : m.cases;
  const W = 900, H = 380, L = 80, R = 860, T = 20, B = 330;
  let x0 = Infinity, x1 = -Infinity, y0 = 0, y1 = 0;
  for (const e of [env.lower, env.upper])
    e.x.forEach((x, i) => { if (e.y[i] !== null) { x0 = Math.min(x0, x); x1 = Math.max(x1, x);
                                                    y0 = Math.min(y0, e.y[i]); y1 = Math.max(y1, e.y[i]); } });
  if (!(x1 > x0)) { x0 -= 0.5; x1 += 0.5; }
  if (!(y1 > y0)) { y0 -= 0.5; y1 += 0.5; }
  const ys = ticks(y0, y1, 6).step;
  y0 = Math.floor(y0 / ys + 1e-9) * ys; y1 = Math.ceil(y1 / ys - 1e-9) * ys;
  const X = x => L + (x - x0) / (x1 - x0) * (R - L), Y = y => B - (y - y0) / (y1 - y0) * (B - T);
  const svg = el("svg", {width: W, height: H, viewBox: "0 0 " + W + " " + H, "font-size": 12});
  for (const v of ticks(x0, x1, 8).at) {
    svg.appendChild(el("line", {x1: X(v), y1: T, x2: X(v), y2: B, stroke: "#e3e3e3"}));
    svg.appendChild(el("text", {x: X(v), y: B + 16, "text-anchor": "middle", fill: "#333"}, label(v)));
  }
  for (const v of ticks(y0, y1, 6).at) {
    svg.appendChild(el("line", {x1: L, y1: Y(v), x2: R, y2: Y(v), stroke: "#e3e3e3"}));
    svg.appendChild(el("text", {x: L - 6, y: Y(v) + 4, "text-anchor": "end", fill: "#333"}, label(v)));
  }
  svg.appendChild(el("line", {x1: L, y1: Y(0), x2: R, y2: Y(0), stroke: "#222"}));
  svg.appendChild(el("text", {x: (L + R) / 2, y: B + 40, "text-anchor": "middle"}, data.xLabel));
  svg.appendChild(el("text", {transform: "translate(18 " + (T + B) / 2 + ") rotate(-90)", "text-anchor": "middle"},
                     data.forces[force]));
  const governing = new Set();
  for (const e of [env.lower, env.upper]) {
    for (let i = 0; i < e.x.length;) {
      if (e.y[i] === null) { i++; continue; }
      let j = i + 1;
      while (j < e.x.length && e.y[j] !== null &&
             (e.c[j] === e.c[i] || (e.c[j] < 0 && j + 1 < e.x.length && e.x[j + 1] === e.x[j]))) j++;
      const last = j < e.x.length && e.y[j] !== null ? j : j - 1;
      let d = "";
      for (let k = i; k <= last; k++) d += (k === i ? "M" : "L") + X(e.x[k]).toFixed(2) + " " + Y(e.y[k]).toFixed(2);
      if (last === i) d += "h0.01";
      svg.appendChild(el("path", {d: d, fill: "none", stroke: colour(e.c[i]), "stroke-width": 3,
                                  "stroke-linecap": "round", "stroke-linejoin": "round"}));
      governing.add(e.c[i]);
      i = j;
    }
  }
  svg.appendChild(el("rect", {x: L, y: T, width: R - L, height: B - T, fill: "none", stroke: "#444"}));
  const legend = document.createElement("div");
  legend.className = "legend";
  legend.appendChild(document.createTextNode("Governing: "));
  for (const c of Array.from(governing).sort((a, b) => a - b)) {
    const s = document.createElement("span"), i = document.createElement("i");
    i.style.background = colour(c);
    s.appendChild(i);
    s.appendChild(document.createTextNode(c < 0 ? "(between points)" : names[c]));
    legend.appendChild(s);
  }
  const box = document.createElement("div");
  box.appendChild(svg);
  box.appendChild(legend);
  return box;
}

function closePlots() {
  for (const r of Array.from(body.querySelectorAll("tr.plot"))) r.remove();
  for (const r of rows) r.classList.remove("open");
}

body.addEventListener("click", ev => {
  const row = ev.target.closest("tr.row");
  if (!row) return;
  const open = row.classList.contains("open");
  const next = row.nextElementSibling;
  if (open && next && next.classList.contains("plot")) next.remove();
  row.classList.toggle("open");
  if (open) return;
  const tr = document.createElement("tr"), td = document.createElement("td");
  tr.className = "plot";
  td.colSpan = row.cells.length;
  td.appendChild(plot(+row.dataset.m, +row.dataset.f, row.dataset.s === undefined ? -1 : +row.dataset.s));
  tr.appendChild(td);
  row.after(tr);
});

let sortedBy = -1, ascending = true;
function sortBy(column) {
  ascending = column === sortedBy ? !ascending : true;
  sortedBy = column;
  const numeric = table.tHead.rows[0].cells[column].classList.contains("n");
  const key = r => numeric ? parseFloat(r.cells[column].dataset.v) : r.cells[column].textContent;
  const order = rows.map((r, i) => [key(r), i, r]);
  order.sort((a, b) => {
    let c;
    if (numeric) c = isNaN(a[0]) ? (isNaN(b[0]) ? 0 : 1) : isNaN(b[0]) ? -1 : (a[0] - b[0]) * (ascending ? 1 : -1);
    else c = a[0].localeCompare(b[0], undefined, {numeric: true}) * (ascending ? 1 : -1);
    return c || a[1] - b[1];
  });
  closePlots();
  for (const o of order) body.appendChild(o[2]);
  for (const th of table.tHead.rows[0].cells)
    th.querySelector(".arrow").textContent = th.cellIndex === column ? (ascending ? "\u25b2" : "\u25bc") : "";
}
for (const th of table.tHead.rows[0].cells) th.addEventListener("click", () => sortBy(th.cellIndex));

const filter = document.getElementById("filter"), shown = document.getElementById("shown");
filter.addEventListener("input", () => {
  const text = filter.value.toLowerCase();
  let n = 0;
  closePlots();
  for (const r of rows) {
    const keep = r.cells[0].textContent.toLowerCase().includes(text);
    r.style.display = keep ? "" : "none";
    n += keep;
  }
  shown.textContent = n + " of " + rows.length + " rows";
});
shown.textContent = rows.length + " rows";
)JS";

// The page: the summary's rows as a table (head and row cells given), the plots' data for the script.
std::string Page(const Model& model, const Labels& labels, const std::string& source,
                 const std::string& subject, bool design, const std::string& rows,
                 const std::function<void(std::string&, std::size_t m)>& member) {
    const std::vector<std::string>& forces = model.Forces();
    const std::string governing = design ? "combination" : "case";
    const std::string forceList = ForceList(model);
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                      Escaped("Envelopes: " + source) + "</title>\n<style>" + kStyle +
                      "</style>\n</head>\n<body>\n";
    out += "<h1>" + Escaped("Envelopes of " + source) + "</h1>\n<p class=\"meta\">" +
           Escaped(std::to_string(model.Size()) + (model.Size() == 1 ? " member" : " members") + "; forces " +
                   forceList + "; " + subject +
                   ". A click on a row draws its envelopes, in the colour of the " + governing +
                   " governing each stretch; a click on a column's title sorts by it. \"with\": the "
                   "other forces " +
                   (design ? "under the governing combination" : "of the governing case") +
                   " at the extreme, left|right where they jump.") +
           "</p>\n";
    out += "<div id=\"tools\"><input id=\"filter\" type=\"search\" placeholder=\"Filter members\"><span "
           "id=\"shown\"></span></div>\n";
    const std::string at = "at " + labels.x;
    out += "<table id=\"summary\">\n<thead><tr>";
    std::vector<std::pair<std::string, bool>> head = {
        {"member", false}, {"force", false}, {"max", true},      {at, true},          {governing, false},
        {"min", true},     {at, true},       {governing, false}, {"with max", false}, {"with min", false}};
    if (design)
        head.insert(head.begin() + 2, {"situation", false});
    for (const auto& [name, numeric] : head)
        out += std::string("<th") + (numeric ? " class=\"n\"" : "") + ">" + Escaped(name) +
               "<span class=\"arrow\"></span></th>";
    out += "</tr></thead>\n<tbody>\n" + rows + "</tbody>\n</table>\n";

    std::string data = "{\"xLabel\":";
    AppendString(data, labels.x);
    data += ",\"palette\":[";
    for (std::size_t k = 0; k < Palette().size(); ++k) {
        data += k ? "," : "";
        AppendString(data, Palette()[k]);
    }
    data += "],\"none\":";
    AppendString(data, ColourOf(-1));
    data += ",\"forces\":[";
    for (std::size_t f = 0; f < forces.size(); ++f) {
        data += f ? "," : "";
        AppendString(data, forces[f]);
    }
    data += "],\"members\":[";
    for (std::size_t m = 0; m < model.Size(); ++m) {
        data += m ? ",\n" : "\n";
        member(data, m);
    }
    data += "]}";
    // "</" would end the script element early.
    for (std::size_t p = data.find("</"); p != std::string::npos; p = data.find("</", p + 3))
        data.replace(p, 2, "<\\/");
    out += "<script type=\"application/json\" id=\"data\">" + data + "</script>\n<script>" + kScript +
           "</script>\n</body>\n</html>\n";
    return out;
}

// A summary row's cells from its extremes on: values, abscissas, what governs, the coincident forces.
std::string ExtremeCells(const SummaryRow& r, const std::vector<std::string>& forces) {
    std::string out;
    for (const SummaryExtreme* e : {&r.max, &r.min}) {
        out += e->found ? Cell(Readable(e->y), Shortest(e->y)) + Cell(Readable(e->x), Shortest(e->x))
                        : Cell("-", "NaN") + Cell("-", "NaN");
        out += Cell(e->governing.empty() ? "-" : e->governing);
    }
    return out + Cell(CoincidentText(r.max, forces)) + Cell(CoincidentText(r.min, forces)) + "</tr>\n";
}

std::string RowStart(const SummaryRow& r) {
    return "<tr class=\"row\" data-m=\"" + std::to_string(r.member) + "\" data-f=\"" +
           std::to_string(r.force);
}

std::string NameCells(const Model& model, const SummaryRow& r) {
    return Cell(model.MemberName(r.member).empty() ? "-" : model.MemberName(r.member)) +
           Cell(model.Forces()[r.force]);
}

} // namespace

std::string HtmlReport(const Model& model, const EnvelopeRun& run, const Labels& labels,
                       const std::string& source) {
    std::string rows;
    for (const SummaryRow& r : Summarise(model, run))
        rows += RowStart(r) + "\">" + NameCells(model, r) + ExtremeCells(r, model.Forces());
    return Page(model, labels, source, Subject(run), false, rows, [&run](std::string& data, std::size_t m) {
        const MemberEnvelopes& member = run.members[m];
        data += "{\"cases\":[";
        for (std::size_t c = 0; c < member.diagrams.size(); ++c) {
            data += c ? "," : "";
            AppendString(data, member.diagrams[c]);
        }
        data += "],\"forces\":[";
        for (std::size_t f = 0; f < member.forces.size(); ++f) {
            data += f ? ",{\"lower\":" : "{\"lower\":";
            AppendLine(data, member.forces[f].envelope.lower);
            data += ",\"upper\":";
            AppendLine(data, member.forces[f].envelope.upper);
            data += '}';
        }
        data += "]}";
    });
}

std::string HtmlReport(const Model& model, const DesignRun& run, const Labels& labels,
                       const std::string& source) {
    std::string rows;
    for (const DesignSummaryRow& r : Summarise(model, run))
        rows += RowStart(r) + "\" data-s=\"" + std::to_string(r.situation) + "\">" + NameCells(model, r) +
                Cell(r.name) + ExtremeCells(r, model.Forces());
    return Page(model, labels, source, Subject(run), true, rows, [&run](std::string& data, std::size_t m) {
        const MemberDesign& member = run.members[m];
        data += "{\"cases\":[";
        for (std::size_t c = 0; c < member.cases.size(); ++c) {
            data += c ? "," : "";
            AppendString(data, member.cases[c]);
        }
        data += "],\"forces\":[";
        for (std::size_t f = 0; f < member.forces.size(); ++f) {
            data += f ? "," : "";
            AppendSituations(data, member.forces[f]);
        }
        data += "]}";
    });
}

std::string HtmlReport(const Model& model, const Capacity& capacity, const CheckRun& run,
                       const Labels& labels, const std::string& source) {
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                      Escaped("Section checks: " + source) + "</title>\n<style>" + kStyle +
                      "</style>\n</head>\n<body>\n";
    out +=
        "<h1>" + Escaped("Section checks of " + source) + "</h1>\n<p class=\"meta\">" +
        Escaped(
            std::to_string(model.Size()) + (model.Size() == 1 ? " member" : " members") + "; utilisation " +
            (run.method == CheckMethod::Ray ? "along the ray from the origin" : "with the first force held") +
            ". Each member's plots follow the table.") +
        "</p>\n";
    for (const std::string& note : run.notes)
        out += "<p class=\"meta\">" + Escaped(note) + "</p>\n";
    out += "<table id=\"summary\">\n<thead><tr>";
    for (const char* name :
         {"member", "section", "method", "situation", "u", "x", "side", "combination", "forces"})
        out += std::string("<th>") + name + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    for (std::size_t m = 0; m < run.members.size(); ++m) {
        const MemberCheck& c = run.members[m];
        const Section& s = capacity.sections[c.section];
        for (const SituationCheck& sc : c.situations) {
            out += "<tr>" + Cell(model.MemberName(m)) + Cell(s.name) +
                   Cell(c.exact == CheckExactness::Hull ? "hull" : "enumerated") + Cell(sc.name);
            if (!sc.max.found) {
                out += Cell("-", "NaN") + Cell("-", "NaN") + Cell("") + Cell("-") + Cell("-") + "</tr>\n";
                continue;
            }
            out += Cell(Readable(sc.max.u), Shortest(sc.max.u)) +
                   Cell(Readable(sc.max.x), Shortest(sc.max.x)) +
                   Cell(sc.max.side == CheckSide::Left    ? "left"
                        : sc.max.side == CheckSide::Right ? "right"
                                                          : "") +
                   Cell(sc.max.combination.Text()) +
                   Cell(s.forces[0] + " " + Readable(sc.max.forces[0]) + ", " + s.forces[1] + " " +
                        Readable(sc.max.forces[1])) +
                   "</tr>\n";
        }
    }
    out += "</tbody>\n</table>\n";
    for (std::size_t m = 0; m < run.members.size(); ++m) {
        const Section& s = capacity.sections[run.members[m].section];
        std::string svg = CheckSvg(run.members[m].situations, s.curve.Vertices(), s.forces, labels,
                                   model.MemberName(m) + " (" + s.name + ")");
        svg.erase(0, svg.find("<svg")); // inline: no XML declaration
        out += "<details><summary>" + Escaped(model.MemberName(m)) + "</summary>\n" + svg + "</details>\n";
    }
    return out + "</body>\n</html>\n";
}

std::string MovingReport(const vymath::formats::MovingLines& lines, const std::vector<MovingResult>& results,
                         const MovingLoad& load, const std::function<std::string(std::size_t)>& plot) {
    const std::string title = "Moving load " + load.source + " on " + lines.source;
    std::string out = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>" +
                      Escaped(title) + "</title>\n<style>" + kStyle +
                      "details summary{cursor:pointer;color:#2a6fb0}\n</style>\n</head>\n<body>\n";
    out +=
        "<h1>" + Escaped(title) + "</h1>\n<p class=\"meta\">" +
        Escaped(Plural(lines.names.size(), "lines") +
                ". Each line's largest and smallest effect with the position of the axle listed first and "
                "the way the vehicle travels; a click on \"plot\" draws the line with the vehicle there.") +
        "</p>\n<table>\n<thead><tr>";
    std::vector<std::string> head{"line", "max", "position", "direction", "min", "position", "direction", ""};
    if (lines.sections)
        head.insert(head.begin() + 1, "section x");
    for (const std::string& h : head)
        out += "<th>" + Escaped(h) + "</th>";
    out += "</tr></thead>\n<tbody>\n";
    for (std::size_t k = 0; k < lines.names.size(); ++k) {
        out += "<tr>" + Cell(lines.names[k]);
        if (lines.sections)
            out += Cell(Readable(lines.sectionX[k]), Num(lines.sectionX[k]));
        for (const MovingExtreme* e : {&results[k].max, &results[k].min}) {
            const bool placed = e->found && !std::isnan(e->placement.position);
            out += Cell(Readable(e->value), Num(e->value));
            out += placed ? Cell(Readable(e->placement.position), Num(e->placement.position)) : Cell("-");
            out += Cell(!placed                                        ? "-"
                        : e->placement.direction == Direction::Forward ? "forward"
                                                                       : "backward");
        }
        out += "<td><details><summary>plot</summary>" + plot(k) + "</details></td></tr>\n";
    }
    return out + "</tbody>\n</table>\n</body>\n</html>\n";
}

} // namespace vycli
