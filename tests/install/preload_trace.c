/* A host's own trace services, preloaded in front of the default library. */
#include <stdio.h>

int nfndeb(void) { return 8; }
void genmsg(const char* name, long len) { printf("host genmsg %.*s\n", (int)len, name); }
void gsomsg(const char* name, long len) { printf("host gsomsg %.*s\n", (int)len, name); }
