import os

import numpy as np
import pandas as pd
import pytest

distributed = pytest.importorskip("dask.distributed")
dd = pytest.importorskip("dask.dataframe")
pytestmark = pytest.mark.filterwarnings("ignore:make_current is deprecated:DeprecationWarning")

import dask_envelopes  # noqa: E402 (python/examples/dask_envelopes.py, once dask is known to be there)
import vymath  # noqa: E402


@pytest.fixture(scope="module")
def client():
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        yield client


def test_envelopes_on_a_local_cluster_equal_the_serial_ones(client):
    spans = [4.0, 6.5, 9.0, 12.0, 7.25, 5.5]
    remote = dask_envelopes.envelopes(client, spans)
    for span, (lower, upper, lower_case, upper_case) in zip(spans, remote):
        here = vymath.envelope(dask_envelopes.member_cases(span), cases=True)
        assert lower == here[0] and np.array_equal(upper.points, here[1].points)
        assert np.array_equal(lower_case, here[2]) and np.array_equal(upper_case, here[3])


def test_a_model_in_partitions_gives_the_summary_of_the_whole(client):
    girder = pd.read_csv(os.path.join(os.environ.get("VYMATH_SOURCE_DIR", "."), "examples", "two_span_girder",
                                      "model.csv"))
    combinations = {"ULS1": "1.35*G + 1.5*Q1", "ULS12": "1.35*G + 1.5*Q12"}
    # Four partitions: each member's rows span two of them, its shear jumps across their boundary.
    parts = vymath.analyse_partitions(dd.from_pandas(girder, npartitions=4), combinations=combinations)
    summary = client.compute(parts).result()
    whole = vymath.analyse_model(girder, combinations=combinations).summary.set_index(["member", "force"])
    pd.testing.assert_frame_equal(summary.set_index(["member", "force"]).loc[whole.index], whole)
    with pytest.raises(ValueError, match="needs a member column"):
        vymath.analyse_partitions(dd.from_pandas(girder.drop(columns="member"), npartitions=2))
