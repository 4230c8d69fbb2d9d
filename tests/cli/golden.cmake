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
