# Bad input: one case a row, each ending with its one-line message and exit status (1: bad data,
# 2: wrong usage) and no output file touched. The files are in bad/.

# Reading the file.
bad(missing_file "" "envelope missing.csv @OUT@" 1 [[vymath: missing.csv: cannot read: No such file or directory]])
bad(folder_as_file folder.csv "envelope folder.csv @OUT@" 1 [[vymath: folder.csv: cannot read: Is a directory]])
bad(empty_file empty.csv "envelope empty.csv @OUT@" 1 [[vymath: empty.csv: the file is empty]])
bad(empty_stdin "" "envelope - @OUT@" 1 [[vymath: <stdin>: the file is empty]] empty.csv)

# CSV: header, fields, numbers.
bad(wrong_header wrong_header.csv "envelope wrong_header.csv @OUT@" 1
    [[vymath: wrong_header.csv:1: expected the header "case,x,y" or "member,case,x,FORCE,...", found "case,y,z"]])
bad(no_header no_header.csv "envelope no_header.csv @OUT@" 1
    [[vymath: no_header.csv:1: expected the header "case,x,y" or "member,case,x,FORCE,...", found "G,0,0"]])
bad(header_only header_only.csv "envelope header_only.csv @OUT@" 1 [[vymath: header_only.csv: no rows after the header]])
bad(few_fields few_fields.csv "envelope few_fields.csv @OUT@" 1 [[vymath: few_fields.csv:3: 2 fields, expected 3 (case,x,y)]])
bad(many_fields many_fields.csv "envelope many_fields.csv @OUT@" 1
    [[vymath: many_fields.csv:3: 4 fields, expected 3 (case,x,y)]])
bad(x_not_number x_not_number.csv "envelope x_not_number.csv @OUT@" 1
    [[vymath: x_not_number.csv:3: field 2 (x) "12kN" is not a number]])
bad(y_not_number y_not_number.csv "inspect y_not_number.csv --csv out.csv --json out.json" 1
    [[vymath: y_not_number.csv:3: field 3 (y) "1.5.2" is not a number]])
bad(nan nan.csv "envelope nan.csv @OUT@" 1 [[vymath: nan.csv:3: field 3 (y) "NaN" is not a finite number]])
bad(infinite infinite.csv "envelope infinite.csv @OUT@" 1 [[vymath: infinite.csv:3: field 3 (y) "-inf" is not a finite number]])
bad(out_of_range out_of_range.csv "envelope out_of_range.csv @OUT@" 1
    [[vymath: out_of_range.csv:3: field 3 (y) "1e400" is out of the range of doubles]])
bad(empty_name empty_name.csv "envelope empty_name.csv @OUT@" 1 [[vymath: empty_name.csv:3: field 1 (case) is empty]])
bad(open_quote open_quote.csv "envelope open_quote.csv @OUT@" 1 [[vymath: open_quote.csv:3: a quote is not closed]])
bad(stray_quote stray_quote.csv "envelope stray_quote.csv @OUT@" 1
    [[vymath: stray_quote.csv:3: a quote in an unquoted field, or text after a closing quote]])

# The diagrams.
bad(three_rows three_rows.csv "envelope three_rows.csv @OUT@" 1
    [[vymath: three_rows.csv:6: case "G" has a third row at x = 1: a jump takes two rows, the left value first]])
bad(single_point single_point.csv "envelope single_point.csv @OUT@" 1
    [[vymath: single_point.csv:4: case "Q" has a single point, at x = 1: a diagram needs two abscissas at least]])
bad(single_abscissa single_abscissa.csv "inspect single_abscissa.csv --csv out.csv --json out.json" 1
    [[vymath: single_abscissa.csv:4: case "Q" has a single abscissa, at x = 1: a diagram needs two abscissas at least]])
bad(too_close too_close.csv "envelope too_close.csv @OUT@" 1
    [[vymath: too_close.csv:4: case "G": x = 1.000004 is too close to x = 1 (too_close.csv:3): points closer than the abscissa tolerance 1e-05 (twice that beside a jump) cannot be told apart]])
bad(too_close_end too_close_end.csv "envelope too_close_end.csv @OUT@" 1
    [[vymath: too_close_end.csv:3: case "G": x = 1.999999 is too close to x = 2 (too_close_end.csv:4): points closer than the abscissa tolerance 1e-05 (twice that beside a jump) cannot be told apart]])

# JSON.
bad(json_syntax syntax.json "envelope syntax.json @OUT@" 1
    [[vymath: syntax.json:3:18: syntax error while parsing value - invalid literal; last read: '0, N']])
bad(json_string string_value.json "envelope string_value.json @OUT@" 1
    [[vymath: string_value.json: /cases/G/y/1 (y) "1" is not a number]])
bad(json_out_of_range out_of_range.json "envelope out_of_range.json @OUT@" 1
    [[vymath: out_of_range.json: /cases/G/x/1: "1e400" is out of the range of doubles]])
bad(json_lengths lengths.json "envelope lengths.json @OUT@" 1 [[vymath: lengths.json: /cases/G: "x" has 3 values, "y" 2]])
bad(json_duplicate duplicate_case.json "envelope duplicate_case.json @OUT@" 1
    [[vymath: duplicate_case.json: /cases/G: the case is given twice]])
bad(json_no_cases no_cases.json "envelope no_cases.json @OUT@" 1
    [[vymath: no_cases.json: expected an object {"cases": {NAME: {"x": [...], "y": [...]}, ...}} or {"model": {MEMBER: {"cases": {NAME: {"x": [...], FORCE: [...], ...}}}}}]])
bad(json_case_shape case_shape.json "envelope case_shape.json @OUT@" 1
    [[vymath: case_shape.json: /cases/G: expected {"x": [...], "y": [...]}]])
bad(json_single_point single_point.json "envelope single_point.json @OUT@" 1
    [[vymath: single_point.json: /cases/G/x/0: case "G" has a single point, at x = 3: a diagram needs two abscissas at least]])

# Combinations.
bad(unknown_case ok.csv "envelope ok.csv -c ULS=1.35*G+1.5*W @OUT@" 2 [[vymath: combination "ULS": no case "W" in ok.csv]])
bad(malformed_expression ok.csv "envelope ok.csv -c 'ULS=1.35*G +' @OUT@" 2
    [[vymath: combination "ULS=1.35*G +", column 13: expected a term after '+']])
bad(malformed_factor ok.csv "envelope ok.csv -c ULS=1.3.5*G @OUT@" 2
    [[vymath: combination "ULS=1.3.5*G", column 5: the factor "1.3.5" is not a number]])
bad(infinite_factor ok.csv "envelope ok.csv -c ULS=inf*G @OUT@" 2
    [[vymath: combination "ULS=inf*G", column 5: the factor "inf" is not a finite number]])
bad(factor_without_star ok.csv "envelope ok.csv -c 'ULS=1.35 G' @OUT@" 2
    [[vymath: combination "ULS=1.35 G", column 10: expected '*' and a case name after the factor 1.35]])
bad(combination_without_name ok.csv "envelope ok.csv -c 1.35*G @OUT@" 2
    [[vymath: combination "1.35*G", column 1: expected NAME=EXPR, as in ULS=1.35*G+1.5*Q]])
bad(duplicate_combination ok.csv "envelope ok.csv -c ULS=G -c ULS=Q @OUT@" 2 [[vymath: combination "ULS" is given twice]])
bad(no_common_domain disjoint.csv "envelope disjoint.csv -c ULS=G+Q @OUT@" 1
    [[vymath: combination "ULS": its cases have no common domain]])

# The command line.
bad(missing_folder ok.csv "envelope ok.csv --csv out.csv --json out.json --svg plots/m.svg" 2
    [[vymath: --svg "plots/m.svg": the folder "plots" does not exist]])
bad(unknown_extension ok.dat "envelope ok.dat @OUT@" 2
    [[vymath: ok.dat: cannot tell the format from the extension (.csv, .tsv, .txt, .json or .xlsx): use --format]])
bad(unknown_format ok.csv "envelope ok.csv --format xml @OUT@" 2
    [[vymath: --format: xml not in {auto,csv,json,xlsx,saf} (see vymath --help)]])
bad(no_svg_for_inspect ok.csv "inspect ok.csv --svg out.svg" 2
    [[vymath: The following arguments were not expected: out.svg --svg (see vymath --help)]])
bad(no_command "" "" 2 [[vymath: A subcommand is required (see vymath --help)]])
bad(no_input "" "envelope --json out.json" 2 [[vymath: CASES is required (see vymath --help)]])

# Models; their outputs (--svg draws a single member) are the CSV, the JSON and the HTML report.
set(OUT "--csv out.csv --json out.json --html out.svg")
set(export "--member Frame --case OutputCase --x Station")
# The recipe of old for an envelope-type combination, its Max rows alone: each Max row needs its Min.
bad(lone_max export.csv "envelope export.csv ${export} --force M3 --filter StepType=Max --filter StepType= ${OUT}" 1
    [[vymath: export.csv:5: member "1", case "ENV": a Max row at x = 0 without its Min row]])
bad(no_such_column export.csv "envelope export.csv ${export} --force M9 ${OUT}" 2
    [[vymath: export.csv:1: no column "M9" (force) in the header "Frame,Station,OutputCase,CaseType,StepType,P,V2,M3"]])
bad(filter_syntax export.csv "envelope export.csv ${export} --filter StepType ${OUT}" 2
    [[vymath: filter "StepType": expected COLUMN=VALUE, as in StepType=Max]])
bad(nothing_kept export.csv "envelope export.csv ${export} --force M3 --filter StepType=Step ${OUT}" 1
    [[vymath: export.csv: no row matches the filters]])
bad(member_without_case partial.csv "envelope partial.csv -c ULS=G+Q ${OUT}" 1
    [[vymath: member "B2": combination "ULS": no case "Q"]])
bad(force_missing missing_force.csv "envelope missing_force.csv ${OUT}" 1
    [[vymath: missing_force.csv:4: member "B2", case "G": no value for force "V"]])
bad(model_field model_field.csv "envelope model_field.csv ${OUT}" 1
    [[vymath: model_field.csv:3: field 5 (M) "1,5" is not a number]])
bad(svg_of_a_model frame.csv "envelope frame.csv --svg out.svg" 2
    [[vymath: --svg draws one member and one force; frame.csv has 2 members and 3 forces: use --plots FOLDER]])
bad(json_duplicate_member duplicate_member.json "envelope duplicate_member.json ${OUT}" 1
    [[vymath: duplicate_member.json: /model/B1: the member is given twice]])
bad(json_model_lengths model_lengths.json "envelope model_lengths.json ${OUT}" 1
    [[vymath: model_lengths.json: /model/B1/cases/G: "x" has 2 values, "M" 3]])

# Actions for design envelopes (ok.csv has the cases G and Q): the file and the place in it.
bad(actions_type ok.csv|actions_type.json "envelope ok.csv --actions actions_type.json @OUT@" 1
    [[vymath: actions_type.json: /actions/0/type: unknown type "dead" (permanent, prestress, imposed, snow, wind, temperature, variable, accidental or seismic)]])
bad(actions_category ok.csv|actions_category.json "envelope ok.csv --actions actions_category.json @OUT@" 1
    [[vymath: actions_category.json: /actions/1/category: unknown category "K" (A to H)]])
bad(actions_lacking ok.csv|actions_lacking.json "envelope ok.csv --actions actions_lacking.json @OUT@" 1
    [[vymath: actions_lacking.json: /actions/1/cases/1: load case "W" is not in the input]])
bad(actions_twice ok.csv|actions_twice.json "envelope ok.csv --actions actions_twice.json @OUT@" 1
    [[vymath: actions_twice.json: /actions/1/cases/1: load case "G" is claimed by action "G" and by "Q": it belongs to one action]])
bad(actions_psi ok.csv|actions_psi.json "envelope ok.csv --actions actions_psi.json @OUT@" 1
    [=[vymath: actions_psi.json: /actions/1/psi/1: psi 1.2 is outside [0, 1]]=])
bad(actions_negative ok.csv|actions_negative.json "envelope ok.csv --actions actions_negative.json @OUT@" 1
    [[vymath: actions_negative.json: /factors/gamma_Q: the factor -1.5 is not a finite number of 0 or more]])
bad(actions_overflow ok.csv|actions_overflow.json "envelope ok.csv --actions actions_overflow.json @OUT@" 1
    [[vymath: actions_overflow.json: /factors/gamma_G_sup: "1e400" is out of the range of doubles]])
bad(actions_syntax ok.csv|actions_syntax.json "envelope ok.csv --actions actions_syntax.json @OUT@" 1
    [[vymath: actions_syntax.json:2:60: syntax error while parsing value - unexpected ']'; expected '[', '{', or a literal]])
bad(actions_missing ok.csv "envelope ok.csv --actions none.json @OUT@" 1 [[vymath: none.json: cannot read: No such file or directory]])
bad(actions_domain disjoint.csv|actions.json "envelope disjoint.csv --actions actions.json @OUT@" 1
    [=[vymath: design envelopes need every load case on one domain: case "Q" is on [5, 9], case "G" on [0, 4]]=])
bad(actions_member partial.csv|actions.json "envelope partial.csv --actions actions.json ${OUT}" 1
    [[vymath: member "B2": no load case "Q" of action "Q"]])
bad(actions_with_combination ok.csv|actions.json "envelope ok.csv --actions actions.json -c ULS=G @OUT@" 2
    [[vymath: --actions and -c/--combination exclude each other: the actions give the combinations]])
bad(actions_with_fold ok.csv|actions.json "envelope ok.csv --actions actions.json --fold @OUT@" 2
    [[vymath: --actions and --fold exclude each other: design envelopes are exact]])

# Analysis programs' exports: the place of each fault, the delimiter found, the tables and sheets there are.
bad(header_delimiter semicolon_header.csv "envelope semicolon_header.csv @OUT@" 1
    [[vymath: semicolon_header.csv:1: expected the header "case,x,y" or "member,case,x,FORCE,...", found "Case,Pos,M3" (fields split at ';')]])
bad(empty_key empty_story.csv "envelope empty_story.csv @OUT@" 1 [[vymath: empty_story.csv:2: field 1 (member) is empty]])
bad(step_unknown step_unknown.csv "envelope step_unknown.csv @OUT@" 1
    [[vymath: step_unknown.csv:2: field 4 (step) "Foo" is not a step type (Max, Min, Mode, Step, Single Value or none)]])
bad(step_number step_number.csv "envelope step_number.csv @OUT@" 1
    [[vymath: step_number.csv:2: field 5 (step number) "" is not a step number (a mode row needs one)]])
bad(unit_unknown unit_unknown.csv "envelope unit_unknown.csv --units kN,m @OUT@" 1
    [[vymath: unit_unknown.csv:2: column "M3": unit "furlong-m" is not one this reader knows]])
bad(units_option ok.csv "envelope ok.csv --units kN,furlong @OUT@" 2
    [[vymath: --units "kN,furlong": expected FORCE,LENGTH in units this tool knows, as kN,m or kip,ft]])
bad(not_a_workbook notzip.xlsx "envelope notzip.xlsx @OUT@" 1 [[vymath: notzip.xlsx: not an .xlsx workbook (not a zip archive)]])
bad(no_sheet sheets.xlsx "envelope sheets.xlsx --sheet Forces @OUT@" 1
    [[vymath: sheets.xlsx: no sheet "Forces"; the sheets: "Beams", "Notes"]])
bad(no_table sheets.xlsx "envelope sheets.xlsx --table Nope @OUT@" 1
    [[vymath: sheets.xlsx: no table "Nope"; the tables: Element Forces - Beams, Notes]])
bad(y_label_of_many frame.csv "envelope frame.csv --y-label M ${OUT}" 2
    [[vymath: --y-label labels one force; frame.csv has 3 forces, each labelled with its name and unit]])
bad(saf_with_fold ok.csv "envelope ok.csv --fold --saf out.xlsx @OUT@" 2
    [[vymath: --saf and --fold exclude each other: a SAF row names the case governing its section, which the folded envelope does not know everywhere]])

# Section checks: the capacity file, then the command line.
foreach(c "open|the curve is not closed: its last vertex (0, -5) is not its first (-10, 0)"
          "two|the curve has fewer than 3 vertices" "outside|the curve does not enclose the origin"
          "crossing|the curve crosses itself: edges 1 and 3 meet")
    string(REPLACE "|" ";" c "${c}")
    list(GET c 0 name)
    list(GET c 1 what)
    bad(capacity_${name} frame.csv|capacity_${name}.json "check frame.csv --capacity capacity_${name}.json --csv out.csv --json out.json" 1
        "vymath: capacity_${name}.json: /sections/S/curve: section \"S\": ${what}")
endforeach()
bad(capacity_force frame.csv|capacity_force.json "check frame.csv --capacity capacity_force.json --csv out.csv --json out.json" 1
    [[vymath: capacity_force.json: /sections/S/forces/1: no force "M2" in frame.csv; its forces: N, V, M]])
bad(capacity_member frame.csv|capacity_member.json "check frame.csv --capacity capacity_member.json --csv out.csv --json out.json" 1
    [[vymath: capacity_member.json: /members: member "B2" of frame.csv has no section, and there is no default]])
bad(check_actions frame.csv|capacity_member.json "check frame.csv --capacity capacity_member.json --actions a.json -c 'U=G'" 2
    [[vymath: --actions and -c/--combination exclude each other: the actions give the combinations]])
bad(check_method frame.csv|capacity_member.json "check frame.csv --capacity capacity_member.json --method median" 2
    [[vymath: --method: expected ray or at-first-force, found "median"]])
# Moving loads: the load read first, then the lines.
bad(moving_unknown_load moving_one_point.csv "moving moving_one_point.csv --load lm9 @OUT@" 2
    [[vymath: load "lm9": no such load; the shipped loads are hl93, hl93-negative, lm1-lane1, lm1-lane2, lm1-lane3 (or give a .json file)]])
bad(moving_negative_spacing "moving_one_point.csv|moving_negative.json" "moving moving_one_point.csv --load moving_negative.json @OUT@" 1
    [[vymath: moving_negative.json: /spacings/0: a spacing -1.2 is not a finite number of 0 or more]])
bad(moving_unknown_key "moving_one_point.csv|moving_unknown_key.json" "moving moving_one_point.csv --load moving_unknown_key.json @OUT@" 1
    [[vymath: moving_unknown_key.json: /wheel: unknown key "wheel"]])
bad(moving_one_point moving_one_point.csv "moving moving_one_point.csv --load hl93 @OUT@" 1
    [[vymath: moving_one_point.csv:5: case "B" has a single point, at x = 3: a diagram needs two abscissas at least]])
bad(moving_section_varies moving_section_varies.csv "moving moving_section_varies.csv --load hl93 --section-x xs @OUT@" 1
    [[vymath: moving_section_varies.csv: line "S/mid": the section abscissa (column "xs") is 5 and 6: one a line]])
bad(moving_case_without_sections moving_one_point.csv "moving moving_one_point.csv --load hl93 --write-case LM c.csv @OUT@" 2
    [[vymath: --write-case writes the extremes at each line's section: it needs --section-x]])
bad(moving_units moving_units.csv "moving moving_units.csv --load hl93 --section-x xs @OUT@" 1
    [[vymath: moving_units.csv: column "x" is in "ft": influence lines are read in m, and as the effect of a 1 kN load (kN, kN-m), the loads' units; give them so]])
bad(moving_units_option moving_units.csv "moving moving_units.csv --load hl93 --units kN,m @OUT@" 2
    [[vymath: moving reads the lines as they stand, in m and as the effect of a 1 kN load (the loads' units): --units and --from-units do not apply]])
# Design codes: an unknown code, a component list of one (the combinations command too), --governing without
# actions or with an unknown extension, --limit 0.
bad(actions_code ok.csv|actions_code.json "envelope ok.csv --actions actions_code.json @OUT@" 1
    [[vymath: actions_code.json: /code: unknown code "EN1991" (ASCE7-16-ASD, ASCE7-16-LRFD or EN1990)]])
bad(combinations_components actions_components.json "combinations --actions actions_components.json --json out.json" 1
    [[vymath: actions_components.json: /actions/0/components: expected two or three components, found 1]])
bad(governing_without_actions ok.csv "envelope ok.csv --governing g.json @OUT@" 2
    [[vymath: --governing writes the combinations governing the design envelopes: it needs --actions]])
bad(governing_extension ok.csv|actions.json "envelope ok.csv --actions actions.json --governing g.txt @OUT@" 2
    [[vymath: --governing: expected a file name ending in .csv or .json, found g.txt]])
bad(combinations_limit actions.json "combinations --actions actions.json --limit 0 --json out.json" 2
    [[vymath: --limit: expected 1 or more]])
