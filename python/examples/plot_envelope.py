"""The envelope of four load cases of a simply supported 10 m beam, saved as a PNG.

    /usr/bin/python3 python/examples/plot_envelope.py [out.png]
"""

import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import vymath  # noqa: E402

span = 10.0
x = np.linspace(0.0, span, 51)


def uniform(w):
    return vymath.Function1D(x, 0.5 * w * x * (span - x))


def point(p, a):
    return vymath.Function1D(x, np.where(x <= a, p * (span - a) * x / span, p * a * (span - x) / span))


cases = {"dead 5 kN/m": uniform(5.0), "live 10 kN/m": uniform(10.0), "uplift -6 kN/m": uniform(-6.0),
         "point 60 kN at 3 m": point(60.0, 3.0)}
fig, ax = plt.subplots(figsize=(9, 4.5), dpi=100)
vymath.plot_envelope(list(cases.values()), ax=ax, labels=list(cases), xlabel="x [m]",
                     ylabel="bending moment [kNm]", title="Envelope of four load cases, 10 m simple span",
                     legend={"loc": "upper left", "bbox_to_anchor": (1.01, 1.0)})
ax.grid(alpha=0.3)
fig.tight_layout()
fig.savefig(sys.argv[1] if len(sys.argv) > 1 else "envelope.png")
