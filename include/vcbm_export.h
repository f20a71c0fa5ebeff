/* Export and linkage macros shared by every public header of the library. */
#ifndef VCBM_EXPORT_H
#define VCBM_EXPORT_H

#if defined(__GNUC__) || defined(__clang__)
#define VCBM_API __attribute__((visibility("default")))
#else
#define VCBM_API
#endif

#ifdef __cplusplus
#define VCBM_BEGIN_DECLS extern "C" {
#define VCBM_END_DECLS }
#else
#define VCBM_BEGIN_DECLS
#define VCBM_END_DECLS
#endif

#endif
