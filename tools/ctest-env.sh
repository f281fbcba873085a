# Sourced first by the shell-script tests: the private environment (screen, Wine prefix, printer)
# CTest gave the test, when it runs under ./test; outside such a run the caller's.
if [ -n "${CTEST_RESOURCE_GROUP_0_ENV:-}" ] && [ -n "${SUITE_ENVS:-}" ]; then
    id=${CTEST_RESOURCE_GROUP_0_ENV#id:}
    id=${id%%,*}
    . "$SUITE_ENVS/$id.env"
fi
