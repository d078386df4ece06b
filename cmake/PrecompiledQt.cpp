// The precompiled headers of a layer are made with this empty source: it has nothing else to compile.
