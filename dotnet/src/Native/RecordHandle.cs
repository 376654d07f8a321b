// Ownership of a C record that lives in unmanaged memory: built by its
// construct, released by its destruct, then freed; released exactly once,
// by Dispose or else by the finalizer.
using System;
using System.Runtime.InteropServices;

namespace Cclp.Score.Native
{
    internal sealed class RecordHandle : SafeHandle
    {
        private readonly Func<IntPtr, int> destruct;

        private RecordHandle(Func<IntPtr, int> destruct) : base(IntPtr.Zero, true)
        {
            this.destruct = destruct;
        }

        public override bool IsInvalid { get { return handle == IntPtr.Zero; } }

        // A zeroed block of the record's size, constructed. A failed
        // construction is destructed (the records allow it) and freed.
        internal static RecordHandle Construct<TRecord>(Func<IntPtr, int> construct,
            Func<IntPtr, int> destruct, string operation) where TRecord : struct
        {
            var owner = new RecordHandle(destruct);
            int size = Marshal.SizeOf(typeof(TRecord));
            IntPtr block = Marshal.AllocHGlobal(size);
            int status;
            try
            {
                unsafe
                {
                    byte* bytes = (byte*)block;
                    for (int i = 0; i < size; ++i) bytes[i] = 0;
                }
                status = construct(block);
            }
            catch
            {
                Marshal.FreeHGlobal(block);  // the library could not be loaded: nothing was built
                throw;
            }
            if (status < 0)
            {
                destruct(block);
                Marshal.FreeHGlobal(block);
                throw new StatusException(status, operation);
            }
            owner.SetHandle(block);
            return owner;
        }

        // The record's address; throws once the owner is disposed.
        internal IntPtr Address(object owner)
        {
            if (IsClosed) throw new ObjectDisposedException(owner.GetType().Name);
            return handle;
        }

        protected override bool ReleaseHandle()
        {
            destruct(handle);
            Marshal.FreeHGlobal(handle);
            return true;
        }
    }
}
