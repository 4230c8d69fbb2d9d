import numpy as np
import pytest

distributed = pytest.importorskip("dask.distributed")
pytestmark = pytest.mark.filterwarnings("ignore:make_current is deprecated:DeprecationWarning")

import dask_envelopes  # python/examples/dask_envelopes.py
import vymath


def test_envelopes_on_a_local_cluster_equal_the_serial_ones():
    spans = [4.0, 6.5, 9.0, 12.0, 7.25, 5.5]
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, distributed.Client(cluster) as client:
        remote = dask_envelopes.envelopes(client, spans)
    for span, (lower, upper, lower_case, upper_case) in zip(spans, remote):
        here = vymath.envelope(dask_envelopes.member_cases(span), cases=True)
        assert lower == here[0] and np.array_equal(upper.points, here[1].points)
        assert np.array_equal(lower_case, here[2]) and np.array_equal(upper_case, here[3])
