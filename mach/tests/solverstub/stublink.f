C     Links against the solver stand-in in both precisions, written the way generated programs
C     write the names (a blank in place of the "d" for single precision).
      program stubln
      implicit double precision (a-h,o-z)
      common/dkvr14/ sint8z(20),bint8z(20),slim8z(20),blim8z(20)
      real seps, scgtl
      common/ kvr46/ seps,scgtl,npmx8z,itype,near8z
      real kvrex
      character*40 title, fname
      dimension xgrid(3), work(10)
      title = 'stub'
      fname = 'data'
      ii8z = 0
      ir8z = 0
      call dkvrzz(ntf,ideg,isolve,symm,neqn,ii8z,ir8z)
      if (ii8z .ne. 1 .or. ir8z .ne. 1) stop 1
      ii8z = 0
      call  kvr1q(1,neqn,ii8z,ir8z)
      if (ii8z .ne. 1) stop 2
      ii8z = 0
      ir8z = 0
      call dkvrqx(np1g,np2g,np3g,isolve,neqn,ii8z,ir8z,iperdc)
      if (ii8z .ne. 1 .or. ir8z .ne. 1) stop 3
      ii8z = 0
      ir8z = 0
      call  kvrqx(np1g,np2g,np3g,isolve,neqn,ii8z,ir8z,iperdc)
      if (ii8z .ne. 1 .or. ir8z .ne. 1) stop 4
      if (abs(dkvrex(fname,1,work,10,1,0.d0,0.d0,0.d0)) .gt. 0) stop 5
      if (abs( kvrex(fname,1,work,10,1,0.0,0.0,0.0)) .gt. 0) stop 6
C     The other routines of the collocation and 3D classes, in both
C     precisions; they ignore their arguments, so the calls pass none.
      call dkvrcd; call dkvrcb; call dkvrcc; call dkvrx3; call dkvr3x
      call dkvrr3; call dkvrlo; call dkvrln; call dkvrlq; call dkvrpx
      call dkvrrc; call dkvrdx; call dkvrax
      call  kvrcd; call  kvrcb; call  kvrcc; call  kvrx3; call  kvr3x
      call  kvrr3; call  kvrlo; call  kvrln; call  kvrlq; call  kvrpx
      call  kvrrc; call  kvrdx; call  kvrax
      call mkvr1dc(1,46)
      call mkvr2dc(1,46)
      call mkvr3d(1,46)
      call dkvrwx(xgrid,3,0)
      call  kvrwx(xgrid,3,1)
      u = dkvrxx() + dkvrt(fname,1,work,10,1,0.d0,0.d0)
      i =  kvrxx() +  kvr1e(fname,1,work,10,1,0.0)
      call dkvr1f(xgrid,xgrid,1,1,title)
      call  kvrr(xgrid,xgrid,xgrid,3,ii8z,title,xgrid)
      call mkvr0d(1,46)
      call endgks
      end
