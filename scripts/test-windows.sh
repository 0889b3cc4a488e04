#!/usr/bin/env bash
# Placeholder until the Windows build lands: the cross build and its Wine run come here.
echo "Windows suite: not built yet"
