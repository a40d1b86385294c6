# The plug-in links the storage and platform libraries and the explorer's BSTR services, as the
# real one links orvqtxfu, orvpalu, orvmdbgu and oleaut32.
target_link_libraries(quorrel_core PUBLIC orvqtxfu orvpalu orvmdbgu oleaut32 Threads::Threads)
