# Good input: each run's outputs checked to the byte against the files in golden/. beam.csv (with a
# byte-order mark, CRLF line ends, a quoted name, cases interleaved and out of order, a jump inside
# and one at a case's first abscissa, of which the right value is kept) and beam.json hold the same
# diagrams and must give the same results.
set(labels "--x-label 'x [m]' --y-label 'V [kN]'")
set(cases_out "e.json=envelope_cases.json|e.csv=envelope_cases.csv|stdout=envelope_cases.txt")
good(envelope_csv beam.csv "envelope beam.csv ${labels} --json e.json --csv e.csv --svg e.svg" ${cases_out})
good(envelope_json beam.json "envelope beam.json ${labels} --json e.json --csv e.csv" ${cases_out})
good(envelope_stdin "" "envelope - --format json --json e.json -q" "e.json=envelope_cases.json|stdout=empty.txt"
     beam.json)
good(envelope_combinations beam.json "envelope beam.json -c 'S1=1.35*A + 1.5*\"B, live\"' -c 'S2=A - 0.5*C' --json e.json"
     "e.json=envelope_combinations.json|stdout=envelope_combinations.txt")
good(envelope_single_member beam.csv "envelope beam.csv -c S=3*C --json e.json -q" "e.json=envelope_single.json")
good(inspect beam.csv "inspect beam.csv ${labels} --json i.json --csv i.csv"
     "i.json=key_figures.json|i.csv=key_figures.csv|stdout=key_figures.txt")
good(envelope_fold beam.csv "envelope beam.csv ${labels} --fold --json e.json --csv e.csv"
     "e.json=envelope_fold.json|e.csv=envelope_fold.csv|stdout=envelope_fold.txt")

# A model: members, several forces, the coincident values. frame.csv (rows of one member apart, a
# jump of V under a point load with M's two equal rows) and frame.json hold the same model; the
# summary is the same bytes on one thread and on two.
set(model_out "e.json=model.json|e.csv=model.csv|stdout=model.txt")
good(model_csv frame.csv "envelope frame.csv --json e.json --csv e.csv" ${model_out})
good(model_json frame.json "envelope frame.json --json e.json --csv e.csv" ${model_out})
good(model_one_thread frame.csv "envelope frame.csv --threads 1 --json e.json -q" "e.json=model.json")
good(model_two_threads frame.csv "envelope frame.csv --threads 2 --json e.json -q" "e.json=model.json")
good(model_combination frame.csv "envelope frame.csv -c ULS=1.35*G+1.5*Q --csv e.csv"
     "e.csv=model_combination.csv|stdout=model_combination.txt")
good(model_inspect frame.csv "inspect frame.csv --json i.json --csv i.csv"
     "i.json=model_key_figures.json|i.csv=model_key_figures.csv|stdout=model_key_figures.txt")
# An analysis program's export: columns named by options, one ignored; the envelope combination's Max and
# Min rows the two bounds of its case, the linear case's rows (no step type) its only diagram. The same
# file read as it comes: its layout recognised (member Frame, case OutputCase, x Station, forces P, V2, M3).
good(export_columns export.csv
     "envelope export.csv --member Frame --case OutputCase --x Station --force M3 --force V2 --csv e.csv"
     "e.csv=export.csv.out|stdout=export.txt|stderr=export_notes.err")
good(export_as_it_comes export.csv "envelope export.csv --json e.json"
     "e.json=export.json|stdout=export_layout.txt|stderr=export_notes.err")

# Design envelopes by EN 1990: every key of an actions file on one member (each situation, 6.10a/b,
# not_with, free, exclusive, accidental and seismic actions, a jump), and a model with its coincident forces.
good(design_single design_cases.csv|design_actions.json
     "envelope design_cases.csv --actions design_actions.json ${labels} --json e.json --csv e.csv --svg e.svg"
     "e.json=design.json|e.csv=design.csv|stdout=design.txt")
# EN 1990 with Sets B and A (STR, EQU) and a seismic action of two components by the 100/30 rule.
good(design_equ design_cases.csv|design_equ_actions.json
     "envelope design_cases.csv --actions design_equ_actions.json ${labels} --json e.json"
     "e.json=design_equ.json|stdout=design_equ.txt|stderr=design_equ.err")
good(design_model frame.csv|frame_actions.json "envelope frame.csv --actions frame_actions.json --json e.json --csv e.csv"
     "e.json=design_model.json|e.csv=design_model.csv|stdout=design_model.txt")
# ASCE 7-16 LRFD on the same cases (D of two cases, free L, exclusive W, Eh with Ev of D): the envelopes and
# the combinations governing them; the governing combinations of a model with their coincident forces; the
# distinct combinations, 12 of them and the count.
good(design_asce design_cases.csv|asce_actions.json
     "envelope design_cases.csv --actions asce_actions.json --governing g.json --csv e.csv"
     "g.json=governing_asce.json|e.csv=design_asce.csv|stdout=design_asce.txt|stderr=design_asce.err")
good(governing_model frame.csv|frame_actions.json "envelope frame.csv --actions frame_actions.json --governing g.csv -q"
     "g.csv=governing_model.csv")
good(combinations_asce asce_actions.json "combinations --actions asce_actions.json --limit 12 --json c.json"
     "c.json=combinations_asce.json|stdout=combinations_asce.txt")
# Only the cases of the actions are read; a note names those left out.
good(design_unclaimed ok.csv|unclaimed.json "envelope ok.csv --actions unclaimed.json --csv e.csv"
     "e.csv=design_unclaimed.csv|stderr=design_unclaimed.err")

# A frame-analysis program's exports of one building read as they come: the text export (two tables, title
# and units rows, CRLF, 17 digits), the same saved in a German locale (';' and decimal commas) and the
# workbook (its Program Control sheet left out with a note) give one summary; the beams copied from the table view (tabs, no title or units row) with their
# units given; the columns' table alone in kN and m; the SAF workbook; the modes of Modal as cases Modal:N.
set(building "e.csv=building.csv|stdout=building.txt|stderr=building.err")
sample(text forces.csv "envelope forces.csv --csv e.csv" ${building})
sample(locale forces_de.csv "envelope forces_de.csv --csv e.csv" ${building})
sample(workbook forces.xlsx "envelope forces.xlsx --csv e.csv"
       "e.csv=building.csv|stdout=building.txt|stderr=building_workbook.err")
sample(table_view beams.tsv "envelope beams.tsv --from-units tonf,m -c ULS=ULS1 -c E=Env --csv e.csv"
       "e.csv=building_beams.csv|stderr=building_beams.err")
sample(units forces.csv "envelope forces.csv --table 'Element Forces - Columns' --units kN,m --json e.json -q"
       "e.json=building_columns.json")
# A plot in the units asked for (axes "x [m]", "V2 [kN]"), the jump at mid-span drawn at its station, into a
# folder --plots creates.
sample(plot beams.tsv "envelope beams.tsv --from-units tonf,m --units kN,m --filter Beam=B1 --filter Story=Story2
       --force V2 --plots p/new -q" "p/new/Story2_B1_V2.svg=building_v2.svg")
sample(saf saf.xlsx "envelope saf.xlsx -c ULS1=ULS1 --csv e.csv -q" "e.csv=building_saf.csv")
sample(modes forces.xlsx "inspect forces.xlsx --sheet Beams -c M2=Modal:2 -c M3=Modal:3 --csv e.csv -q"
       "e.csv=building_modes.csv")

# Section checks: two columns, one section convex and one not (enumerated), a jump, a member the model
# lacks; the load cases by ray, then combinations with N held.
good(check_cases check_model.csv|check_capacity.json
     "check check_model.csv --capacity check_capacity.json --json e.json --csv e.csv"
     "e.json=check_cases.json|e.csv=check_cases.csv|stdout=check_cases.txt|stderr=check_cases.err")
good(check_combinations check_model.csv|check_capacity.json
     "check check_model.csv --capacity check_capacity.json -c 'ULS=1.35*G + 1.5*Q' -c 'W=G + 1.5*W' --method at-first-force --json e.json --plots p --html r.html -q"
     "e.json=check_combinations.json|p/C2_check.svg=check_C2.svg|r.html=check_report.html")
# Every design situation of an actions file (6.10a/b, wind leading): combinations of EN 1990 checked.
good(check_actions check_model.csv|check_capacity.json|check_actions.json
     "check check_model.csv --capacity check_capacity.json --actions check_actions.json --json e.json --csv e.csv"
     "e.json=check_actions_out.json|e.csv=check_actions_out.csv|stdout=check_actions_out.txt|stderr=check_cases.err")
# Moving loads. lines.csv: a simply supported span of 10 m, the moment at midspan and the shear at midspan
# and at a quarter (each with its jump), under the shipped Load Model 1 (both ways) and a truck of a
# variable spacing (forward only); span_lines.csv: the moment at three sections of member S, the envelope
# along it and the bounded case written for `vymath envelope`.
good(moving lines.csv "moving lines.csv --load lm1-lane1 --json m.json --csv m.csv"
     "m.json=moving.json|m.csv=moving.csv|stdout=moving.txt")
good(moving_two_threads lines.csv "moving lines.csv --load lm1-lane1 --threads 2 --json m.json -q" "m.json=moving.json")
good(moving_truck "lines.csv|truck.json" "moving lines.csv --load truck.json --json m.json"
     "m.json=moving_truck.json|stdout=moving_truck.txt")
good(moving_sections span_lines.csv
     "moving span_lines.csv --load hl93 --section-x xs --json m.json --write-case HL93 c.csv"
     "m.json=moving_sections.json|c.csv=moving_case.csv|stdout=moving_sections.txt")
good(moving_case_read moving_case.csv "envelope moving_case.csv --json e.json -q" "e.json=moving_case_envelope.json")
good(moving_svg lines.csv "moving lines.csv --load lm1-lane1 --filter line=V_mid --svg e.svg -q" "e.svg=moving_v_mid.svg")
