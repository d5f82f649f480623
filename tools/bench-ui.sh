#!/bin/sh
# Measures the main window with 10,000 saved configurations under Wine.
exec "$(dirname "$0")/run-wine-tool.sh" nicset_UiBenchmark
