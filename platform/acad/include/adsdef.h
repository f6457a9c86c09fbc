// Plain-array types of the host's C-style API: reals, points, matrices, entity names
// and result buffers.
#pragma once

#include "adesk.h"

typedef double ads_real;
typedef ads_real ads_point[3];
typedef ads_real ads_matrix[4][4];
typedef ads_real* ads_pointp;
typedef ads_real (*ads_matrixp)[4];

// An entity or selection-set name: two opaque integers.
typedef Adesk::LongPtr ads_name[2];
typedef Adesk::LongPtr* ads_namep;

// Indices into an ads_point.
enum { X = 0, Y = 1, Z = 2 };

struct ads_binary {
    short clen;
    char* buf;
};

union ads_u_val {
    ads_real rreal;
    ads_real rpoint[3];
    short rint;
    wchar_t* rstring;
    Adesk::Int32 rlong;
    Adesk::Int64 mnInt64;
    ads_name rlname;
    ads_binary rbinary;
    unsigned char ihandle[8];
};

// One node of a linked list of typed values (extended data, entity lists, arguments).
struct resbuf {
    resbuf* rbnext;
    short restype;
    ads_u_val resval;
};
