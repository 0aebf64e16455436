// A driver module that is nothing but its string table (the catalogue tests build one per
// identity form); the runtime's default entry point loads it.
