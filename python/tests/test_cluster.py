import pytest

import pumpfield
from conftest import EXAMPLES

distributed = pytest.importorskip("distributed")


def test_a_dask_cluster_gives_the_local_results():
    inputs = [pumpfield.read_input(path) for path in EXAMPLES]
    wrong = inputs[0].copy()
    wrong.values = [0.0] * 14
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True,
                                  dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        futures = client.map(pumpfield.run, inputs)
        failing = client.submit(pumpfield.run, wrong)
        distributed.wait(futures + [failing], timeout=300)
        results = client.gather(futures)
        error = failing.exception()
    assert [r.report for r in results] == [pumpfield.run(i).report for i in inputs]
    assert isinstance(error, pumpfield.InputError)
    with pytest.raises(pumpfield.InputError) as local:
        pumpfield.run(wrong)
    assert error.messages == local.value.messages
