/*
 * Services of the infrastructure library used by VelCurveBasedMathematics:
 * trace level and trace lines, error reports, debug writes, the print unit,
 * work space, copies and fills, and the arithmetic limits of the machine.
 *
 * Every argument goes by address; a routine name is passed as a character
 * string followed by its length (6 or 7) as a trailing `long`.
 *
 * A host program may define any of these symbols itself (its own trace, its
 * own allocator, a test's recording service); the mathematics library calls
 * them only through these names, so the host's definitions replace the
 * default library's, at link time or by interposition at load time.
 *
 * The second half of this header is the control API of the default
 * implementation (libVelCurveBasedInfrastructure.so). It is not part of the
 * service contract: a host that supplies its own services does not need it.
 */
#ifndef VELCURVEBASEDINFRASTRUCTURE_H
#define VELCURVEBASEDINFRASTRUCTURE_H

#include <stdint.h>
#include <stdio.h>

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Trace and messages ------------------------------------------------ */
int nfndeb(void);                                 /* trace level, compared with thresholds 1..8 */
int nfnimp(void);                                 /* unit number of the print file */
int nacdbg(void);                                 /* debug option of the approximation driver */
void genmsg(const char* name, long len);          /* entry trace of routine NAME */
void gsomsg(const char* name, long len);          /* exit trace of routine NAME */
void aermsg(const char* name, const int* ier, long len); /* error report with its code */
void germsg(const char* name, long len);          /* failure report without a code */
void swrdbg(const char* text, long len);          /* debug line: text */
void swrdbi(const char* text, const int* i, long len);    /* debug line: text and integer */
void swrdbr(const char* text, const double* r, long len); /* debug line: text and real */

/* ---- Work space -------------------------------------------------------- */
/* Obtains COUNT elements of ESIZE bytes addressed as BASE(OFFSET+1..OFFSET+COUNT),
   OFFSET counted in units of ESIZE; IERALLOC = 0 on success, > 0 on failure. */
void crrqst(const int* esize, const int* count, void* base, int64_t* offset, int* ieralloc);
/* Releases a block obtained by crrqst; same five arguments. */
void crdelt(const int* esize, const int* count, void* base, int64_t* offset, int* ieralloc);

/* ---- Copies and fills -------------------------------------------------- */
void crfillx(const int* nbytes, const void* from, void* to);
void srfill(const int* count, const double* from, double* to);
void vrirazx(const int* count, double* a);
void irazx(const int* nbytes, void* a);

/* ---- Arithmetic limits ------------------------------------------------- */
void aovur8(double* r);      /* relative precision of reals */
void aovsr8(int* n);         /* decimal precision exponent */
void aovor8(double* r);      /* largest real */
void aovbr8(int* n, int* m); /* binary precision: 0.5^N is a relative tolerance */
void merflo(double* r);      /* large real bound standing for "infinite" radii */
void soverf(void);           /* overflow-control hook; no effect by default */
void udfpil(int* n);         /* in: default stack depth; out: depth to use */

/* ---- Control API of the default implementation ------------------------- */
/*
 * Quiet by default: at trace level 0 the default implementation writes
 * nothing, anywhere. Error reports (aermsg with a non-zero code, germsg) are
 * kept per thread instead (vcbi_last_report) and printed on the trace stream
 * only from level 1 on, with the entry and exit lines and the debug lines.
 *
 * When the library loads, the environment variable VCBI_TRACE (a whole
 * number) sets the initial trace level and VCBI_TRACE_FILE (a path, opened
 * for appending) the stream of the trace and debug lines in place of
 * standard error, so that a failing call can be watched inside a host
 * program without rebuilding it.
 */

/* The last error report made on the calling thread. */
typedef struct vcbi_report {
    char name[8];  /* trace name of the routine, NUL-terminated ("" when none) */
    int code;      /* the code passed to aermsg; 0 for a report without code */
    int with_code; /* 1 for aermsg, 0 for germsg (failure without a code) */
    long count;    /* reports made on this thread since the last vcbi_clear_reports */
} vcbi_report;

/* Trace level returned by nfndeb (default 0: silent, or VCBI_TRACE). */
void vcbi_set_trace_level(int level);
/* Stream receiving trace lines and error reports from level 1 on (default
   stderr, or VCBI_TRACE_FILE). NULL restores the default. */
void vcbi_set_trace_stream(FILE* stream);
/* Stream receiving swrdbg/swrdbi/swrdbr lines from level 1 on (default as
   the trace stream). NULL restores the default. */
void vcbi_set_debug_stream(FILE* stream);
/* Stream receiving every error report with a non-zero code, every failure
   report and every debug line, whatever the trace level: the messages a host
   shows its user with a result. Default NULL: none. */
void vcbi_set_message_stream(FILE* stream);
/* Copies the last error report of the calling thread (aermsg with a code
   other than 0, or germsg) into REPORT when it is not NULL; returns 1 when
   there was one since the thread started or since vcbi_clear_reports, else 0
   (REPORT then holds an empty name and zeros). */
int vcbi_last_report(vcbi_report* report);
/* Forgets the reports of the calling thread (count back to 0). */
void vcbi_clear_reports(void);
/* Unit number returned by nfnimp (default 6). The mathematics library writes
   print-unit lines to standard output for unit 6, standard error for unit 0,
   and to the open file descriptor of that number otherwise. */
void vcbi_set_print_unit(int unit);
/* Debug option returned by nacdbg (default 0). */
void vcbi_set_debug_option(int option);
/* Makes the k-th work-space request from now fail (k >= 1); 0 cancels. */
void vcbi_fail_request(int k);
/* Makes the k-th work-space release from now fail (k >= 1); 0 cancels. */
void vcbi_fail_release(int k);
/* Number of work-space blocks currently held by callers. */
long vcbi_blocks_in_use(void);
/* Value returned by udfpil in place of its input; a negative value restores
   the default (udfpil returns its input unchanged). */
void vcbi_set_stack_depth(int depth);

#ifdef __cplusplus
}
#endif

#endif
