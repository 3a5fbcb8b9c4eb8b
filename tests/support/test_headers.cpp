// The translation unit the test programs' precompiled headers are built in.
