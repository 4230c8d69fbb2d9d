import os
import sys

import matplotlib
from hypothesis import settings

matplotlib.use("Agg")
settings.register_profile("vymath", deadline=None, max_examples=60)
settings.load_profile("vymath")

SOURCE_DIR = os.environ.get("VYMATH_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE_DIR, "python", "examples"))
