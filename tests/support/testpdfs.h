#pragma once

// Every kind of PDF the tests and benchmarks make for themselves.

#include "formpdfs.h"
#include "paintedpdfs.h"
#include "pdfobjects.h"
#include "popplerview.h"
#include "qpdftool.h"
