// The drag loop CDrag and its callback record dragdata.
//
// Not written yet: CDrag is built on the editor's drag input and lands in this header,
// with its implementation in src/drag.cpp. Nothing here yet declares it.
#pragma once
