// Result-type codes of result buffers and result codes of the acut/aced
// functions, with the host's values.
#pragma once

// Result types (resbuf::restype values that are not DXF group codes).
#define RTNONE 5000     // no result
#define RTREAL 5001     // real number
#define RTPOINT 5002    // 2D point (x, y; z unused)
#define RTSHORT 5003    // 16-bit integer
#define RTANG 5004      // angle
#define RTSTR 5005      // string
#define RTENAME 5006    // entity name
#define RTPICKS 5007    // selection set name
#define RTORINT 5008    // orientation
#define RT3DPOINT 5009  // 3D point
#define RTLONG 5010     // 32-bit integer
#define RTVOID 5014     // blank symbol
#define RTLB 5016       // list begin
#define RTLE 5017       // list end
#define RTDOTE 5018     // dotted pair
#define RTNIL 5019      // nil
#define RTDXF0 5020     // DXF code 0, for selection filters
#define RTT 5021        // T atom
#define RTRESBUF 5023   // result buffer
#define RTMODELESS 5027 // interrupted by a modeless dialog
#define RTINT64 5031    // 64-bit integer

// Result codes of the functions.
#define RTNORM 5100     // request succeeded
#define RTERROR (-5001) // some other error
#define RTCAN (-5002)   // user cancelled
#define RTREJ (-5003)   // request rejected
#define RTFAIL (-5004)  // link failure
#define RTKWORD (-5005) // keyword returned
#define RTINPUTTRUNCATED (-5008) // input did not fit the buffer
