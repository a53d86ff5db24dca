#!/bin/sh
# tessaroid-trace.exe under Wine, called as the scenario checks call the Linux tool; the
# test's environment names the two.
exec "$TESSAROID_WINE_RUN" "$TESSAROID_TRACE_EXE" "$@"
