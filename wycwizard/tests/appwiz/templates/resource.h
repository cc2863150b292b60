// Resource.h: copied as it is, $$root$$ and all.
#define IDI_ICON1 101
