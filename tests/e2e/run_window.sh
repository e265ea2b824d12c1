#!/usr/bin/env bash
echo "e2e: not written yet"; exit 0
